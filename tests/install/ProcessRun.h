#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A program run to its end, as a user would run it.
struct ProcessResult
{
    int status = -1;  // the exit status; -1 when killed or not started
    std::string out;
    std::string err;
};

// Changes to the environment: a value sets the variable, nullopt unsets it.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

// Runs argv[0] (looked up in PATH, the changed one when it is changed) in
// `directory` with this process's environment plus `changes`, its standard
// input empty. Killed after `limit`.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& directory,
                         const EnvironmentChanges& changes = {},
                         std::chrono::seconds limit = std::chrono::seconds(120));
