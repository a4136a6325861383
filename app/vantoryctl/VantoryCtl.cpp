#include "app/vantoryctl/VantoryCtl.h"

#include <algorithm>
#include <string>

#include "app/startup/WorkingDirectory.h"
#include "app/vantoryctl/CtlCommands.h"
#include "res/ProductVersion.h"

namespace {

int PrintUsage(std::FILE* to)
{
    std::fputs("Usage: vantoryctl [--help | --version] <command> [options]\n"
               "\n"
               "Works on the catalog in data/ below the current directory; installed,\n"
               "started where there is neither data/ nor tpl/, in $XDG_DATA_HOME/vantory\n"
               "(~/.local/share/vantory), made with the sample catalog on first use.\n"
               "\n"
               "Commands:\n", to);
    for (const CtlCommand& command : CtlCommands()) {
        const std::string head = std::string(command.name) + " " + std::string(command.arguments);
        std::string summary(command.summary);
        for (size_t at = summary.find('\n'); at != std::string::npos; at = summary.find('\n', at + 1))
            summary.insert(at + 1, 22, ' ');
        std::fprintf(to, "  %-18s  %s\n", head.c_str(), summary.c_str());
    }
    std::fputs("\nOptions:\n"
               "  --help              Show this help and exit\n"
               "  --version           Show the program's name and version and exit\n", to);
    return CTL_OK;
}

int PrintVersion(std::FILE* to)
{
    std::fprintf(to, "%s %s\n", Texts::PRODUCT_NAME, Texts::PRODUCT_VERSION);
    return CTL_OK;
}

// Options that stand for themselves wherever they are given.
struct GlobalOption
{
    std::string_view name;
    int (*run)(std::FILE* out);
};

const GlobalOption g_globalOptions[] = {
    {"--help", PrintUsage},
    {"-h", PrintUsage},
    {"--version", PrintVersion},
};

const GlobalOption* FindGlobalOption(std::string_view arg)
{
    for (const GlobalOption& option : g_globalOptions)
        if (option.name == arg)
            return &option;
    return nullptr;
}

int UsageError(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "vantoryctl: %s\nTry 'vantoryctl --help' for more information.\n", message.c_str());
    return CTL_USAGE_ERROR;
}

bool IsOption(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

int RunVantoryctl(const std::vector<std::string_view>& args, std::FILE* out, std::FILE* err)
{
    const CtlCommand* command = nullptr;
    CtlInvocation call;
    call.out = out;
    call.err = err;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (const GlobalOption* option = FindGlobalOption(arg))
            return option->run(out);
        if (IsOption(arg)) {
            if (command && std::find(command->valueOptions.begin(), command->valueOptions.end(), arg)
                               != command->valueOptions.end()) {
                if (i + 1 == args.size())
                    return UsageError(err, "option '" + std::string(arg) + "' needs a value");
                call.values[arg] = std::string(args[++i]);
                continue;
            }
            if (!command || std::find(command->options.begin(), command->options.end(), arg)
                                == command->options.end())
                return UsageError(err, "unknown option '" + std::string(arg) + "'");
            call.options.push_back(arg);
            continue;
        }
        if (command) {
            if (!command->takesWords)
                return UsageError(err, "unexpected argument '" + std::string(arg) + "'");
            call.words.emplace_back(arg);
            continue;
        }
        for (const CtlCommand& candidate : CtlCommands())
            if (candidate.name == arg)
                command = &candidate;
        if (!command)
            return UsageError(err, "unknown command '" + std::string(arg) + "'");
    }
    if (!command)
        return UsageError(err, "no command given");
    if (command->takesWords && call.words.empty())
        return UsageError(err, "'" + std::string(command->name) + "' needs " + std::string(command->wordsNeeded));
    std::error_code unknown;
    call.startDirectory = std::filesystem::current_path(unknown);
    if (!EnterWorkingDirectory("vantoryctl", err))
        return CTL_FAILED;
    return command->run(call);
}
