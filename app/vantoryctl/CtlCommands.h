#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Exit statuses of vantoryctl.
inline constexpr int CTL_OK = 0;
inline constexpr int CTL_FAILED = 1;      // the command ran but could not finish (a write error), or found nothing
inline constexpr int CTL_USAGE_ERROR = 2; // unknown command, option or argument
inline constexpr int CTL_INTERRUPTED = 130; // Ctrl+C: the work ended early, as after Cancel

// One run of a command: the options given after it (all among the ones the
// command declares) and where its output goes.
struct CtlInvocation
{
    std::vector<std::string_view> options;
    std::map<std::string_view, std::string> values;  // options that take a value
    std::vector<std::string> words;                  // the arguments after the command
    std::filesystem::path startDirectory;            // where it was started, before the working directory
    std::FILE* out = stdout;
    std::FILE* err = stderr;

    bool Has(std::string_view option) const;
};

struct CtlCommand
{
    std::string_view name;
    std::string_view arguments;  // as the usage shows them, e.g. "[--rebuild]"
    std::string_view summary;
    std::vector<std::string_view> options;
    int (*run)(const CtlInvocation&);
    std::vector<std::string_view> valueOptions = {};  // options followed by a value
    bool takesWords = false;                         // arguments after the command
    std::string_view wordsNeeded = "words to look for";  // what a command line without them lacks
};

// Says what is wrong with the command line, and where help is; returns
// CTL_USAGE_ERROR.
int CtlUsageError(const CtlInvocation& call, const std::string& message);

// Every command, in the order the usage lists them.
const std::vector<CtlCommand>& CtlCommands();
