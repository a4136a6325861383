#include "InstallTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "vantory-install-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!m_path.empty())
        fs::remove_all(m_path, ignored);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> FilesBelow(const fs::path& root)
{
    std::set<std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file())
            files.insert(fs::relative(it->path(), root).string());
    return files;
}

::testing::AssertionResult HoldsCopyOf(const fs::path& to, const fs::path& from)
{
    const std::set<std::string> files = FilesBelow(from);
    if (files.empty())
        return ::testing::AssertionFailure() << from << " holds no files";
    for (const std::string& file : files) {
        if (!fs::is_regular_file(to / file))
            return ::testing::AssertionFailure() << to / file << " is missing";
        if (ReadFile(to / file) != ReadFile(from / file))
            return ::testing::AssertionFailure() << to / file << " differs from " << from / file;
    }
    return ::testing::AssertionSuccess();
}
