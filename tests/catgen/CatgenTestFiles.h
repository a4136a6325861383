#pragma once

#include <filesystem>
#include <map>
#include <string>

// A fresh directory below the system's temporary directory, removed with
// everything in it when the test ends.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ReadWholeFile(const std::filesystem::path& path);

// Every regular file below dir, by its path relative to dir.
std::map<std::string, std::string> ReadTree(const std::filesystem::path& dir);
