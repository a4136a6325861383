#pragma once

#include <string>
#include <string_view>

// File operations of the update. Failures are not reported: the file or
// directory concerned is simply not there afterwards.

// One level; an existing directory is fine.
void MakeDirectory(const std::string& path);

// Replaces the file with exactly these bytes, or leaves the old one as it
// was: a reader never sees a half-written file.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The file can be opened for reading.
bool FileExists(const std::string& path);

// The id without leading and trailing blanks (only ' ', not tabs or line
// breaks).
std::string TrimBlanks(const std::string& id);

// A name that stays inside the directory it is put in: not empty, not "."
// or "..", no zero byte (and, from SafeFileName, no separator).
bool IsContainedName(const std::string& name);
