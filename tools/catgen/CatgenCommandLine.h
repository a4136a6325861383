#pragma once

#include <string>
#include <vector>

#include "tools/catgen/CatalogGenerator.h"

struct CatgenCommandLine
{
    CatalogGeneratorOptions options;
    bool help = false;  // --help was given: print CatgenUsage and do nothing else
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after "=" (--groups 5, --groups=5). Returns "" on
// success, otherwise a message for the user (unknown option, missing or bad
// value, no --out).
std::string ParseCatgenCommandLine(const std::vector<std::string>& args, CatgenCommandLine& out);

std::string CatgenUsage();
