#pragma once

#include <string>

// The separator of the paths the system builds.
inline constexpr char PATH_SEPARATOR = '/';

// The whole file as text, each CR LF pair read as a single LF; "" when the
// file cannot be opened or read, is empty or is no regular file.
std::string ReadTextFile(const std::string& path);

// "" becomes the separator alone, a path ending in the separator stays as
// it is, any other path gets one separator appended.
std::string WithTrailingBackslash(const std::string& path);

// The working directory; "" when it cannot be read.
std::string CurrentDirectory();
// The working directory with one separator at its end: where the pages and
// the update root the absolute paths they build.
std::string BaseDirectory();
