#pragma once

#include <string>
#include <string_view>

// File operations of the update. A failure leaves the file or directory
// concerned as it was; the caller decides whether to report it.

// One level; an existing directory is fine. 0, or the errno of the failure.
int MakeDirectory(const std::string& path);

// Replaces the file with exactly these bytes, or leaves the old one as it
// was: a reader never sees a half-written file. On failure *error, when
// given, is set to the errno.
bool WriteWholeFile(const std::string& path, std::string_view bytes, int* error = nullptr);

// The file can be opened for reading.
bool FileExists(const std::string& path);

// A name that stays inside the directory it is put in: not empty, not "."
// or "..", no zero byte (and, from SafeFileName, no separator).
bool IsContainedName(const std::string& name);
