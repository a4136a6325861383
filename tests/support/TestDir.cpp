#include "TestDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TestDir::TestDir(bool enter)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantory-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
    if (enter) {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
}

TestDir::~TestDir()
{
    std::error_code ignored;
    if (!m_previous.empty())
        std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> ReadTree(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), dir).string()] = ReadFile(entry.path());
    return files;
}
