#pragma once

#include <string>
#include <vector>

#include "tools/contentserver/ContentServer.h"

struct ContentServerCommandLine
{
    ContentServerOptions options;  // port defaults to 8642 here, the log to stderr
    std::vector<FaultRule> faults;
    bool help = false;
};

// Parses the arguments after the program name; values as the next argument
// or after "=". Returns "" or a message for the user.
std::string ParseContentServerCommandLine(const std::vector<std::string>& args,
                                          ContentServerCommandLine& out);

std::string ContentServerUsage();
