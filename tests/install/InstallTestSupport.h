#pragma once

#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

// A fresh directory below the system's temporary directory, removed with
// everything in it when the object goes.
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

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& text);

// The regular files below `root`, relative to it.
std::set<std::string> FilesBelow(const std::filesystem::path& root);

// True when every file below `from` is below `to` too, with equal bytes.
::testing::AssertionResult HoldsCopyOf(const std::filesystem::path& to, const std::filesystem::path& from);
