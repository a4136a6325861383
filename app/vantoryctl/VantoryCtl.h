#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

// The whole command line of vantoryctl, without the program name; returns
// the exit status (CtlCommands.h).
int RunVantoryctl(const std::vector<std::string_view>& args, std::FILE* out, std::FILE* err);
