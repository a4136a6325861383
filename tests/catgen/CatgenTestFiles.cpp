#include "CatgenTestFiles.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

TempDir::TempDir()
{
    static int s_count = 0;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        "vantory-catgen-" + std::to_string(::getpid()) + "-" + std::to_string(++s_count);
    if (test)
        name += std::string("-") + test->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    m_path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> ReadTree(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), dir).string()] =
                ReadWholeFile(entry.path());
    return files;
}
