#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The command line of the project's tools: long options given as
// "--name value" or "--name=value", and flags, in any order.
struct LongOption
{
    std::string_view name;  // "--out", or a short alias such as "-h"
    bool takesValue = false;
};

// Checks the value an option came with: "" when it is good, otherwise what
// was expected ("expected a directory").
using LongOptionHandler = std::function<std::string(std::string_view name, const std::string& value)>;

// Hands each option to the handler in order ("" as the value of a flag).
// Returns "" or the message for the user: "unknown option '...'", "option
// '--x' takes no value", "option '--x' needs a value", or "bad value 'v'
// for --x: " + what the handler said.
std::string ParseLongOptions(const std::vector<std::string>& args, const std::vector<LongOption>& options,
                             const LongOptionHandler& handler);
