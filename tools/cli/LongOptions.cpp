#include "tools/cli/LongOptions.h"

#include <optional>

namespace {

const LongOption* Find(const std::vector<LongOption>& options, std::string_view name)
{
    for (const LongOption& option : options)
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace

std::string ParseLongOptions(const std::vector<std::string>& args, const std::vector<LongOption>& options,
                             const LongOptionHandler& handler)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const LongOption* option = Find(options, name);
        if (!option)
            return "unknown option '" + args[i] + "'";
        std::string value;
        if (!option->takesValue) {
            if (inlineValue)
                return "option '" + name + "' takes no value";
        } else if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return "option '" + name + "' needs a value";
        }
        if (const std::string what = handler(option->name, value); !what.empty())
            return "bad value '" + value + "' for " + name + ": " + what;
    }
    return {};
}
