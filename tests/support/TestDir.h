#pragma once

#include <filesystem>
#include <map>
#include <string>

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes. While `enter` is set it is also
// the working directory; the previous one comes back at the end.
class TestDir
{
public:
    explicit TestDir(bool enter = true);
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

// Writes bytes to a file below the working directory, creating directories.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// The file's bytes; "" if it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// Every regular file below dir, by its path relative to dir.
std::map<std::string, std::string> ReadTree(const std::filesystem::path& dir);
