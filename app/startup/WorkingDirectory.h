#pragma once

#include <cstdio>
#include <filesystem>

// The programs read data/, tpl/ and hint.js relative to their working
// directory. A directory that already holds data/ or tpl/ is used as it is:
// a catalog the user keeps somewhere, or the build's run directory. An
// installed program started anywhere else (from the desktop, in the home
// directory) changes to the user's own directory, $XDG_DATA_HOME/vantory,
// made on the first start and filled from the installed files on every
// start (WorkingDirectorySeed.h). A program run from its build tree has no
// installed files and stays where it was started.

// The user's own working directory by the XDG base directory rules:
// xdgDataHome when it is an absolute path, home/.local/share otherwise,
// each followed by "vantory". Empty when neither is an absolute path.
std::filesystem::path UserWorkingDirectory(const char* xdgDataHome, const char* home);

// The installed shared files of the program at `executable`: for
// <prefix>/bin/<program> that is <prefix>/share/vantory, found relative to
// the program so that a staged or unpacked installation works too. Empty
// when it holds no tpl/: the program was not installed.
std::filesystem::path InstalledDataDirectory(const std::filesystem::path& executable);

// True when `dir` holds data/ or tpl/.
bool HoldsCatalog(const std::filesystem::path& dir);

// Settles the working directory as above. `program` names the program in
// the messages written to `err`: one when the user's directory is first
// made, one for each failure. False when the user's directory was needed
// but could not be made, filled or entered; what could be done is done.
bool EnterWorkingDirectory(const char* program, std::FILE* err);
