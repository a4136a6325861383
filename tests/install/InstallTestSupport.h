#pragma once

#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TestDir.h"

// The regular files below `root`, relative to it.
std::set<std::string> FilesBelow(const std::filesystem::path& root);

// True when every file below `from` is below `to` too, with equal bytes.
::testing::AssertionResult HoldsCopyOf(const std::filesystem::path& to, const std::filesystem::path& from);
