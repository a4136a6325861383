#include "InstallTestSupport.h"

#include <fstream>

namespace fs = std::filesystem;

std::set<std::string> FilesBelow(const fs::path& root)
{
    std::set<std::string> files;
    for (const auto& [name, text] : ReadTree(root))
        files.insert(name);
    return files;
}

::testing::AssertionResult HoldsCopyOf(const fs::path& to, const fs::path& from)
{
    const std::map<std::string, std::string> files = ReadTree(from);
    if (files.empty())
        return ::testing::AssertionFailure() << from << " holds no files";
    for (const auto& [name, text] : files) {
        if (!fs::is_regular_file(to / name))
            return ::testing::AssertionFailure() << to / name << " is missing";
        if (ReadFile(to / name) != text)
            return ::testing::AssertionFailure() << to / name << " differs from " << from / name;
    }
    return ::testing::AssertionSuccess();
}
