#include "pages/PageCommand.h"

#include "pages/PageNavigator.h"

namespace {

PageNavigator* g_navigator = nullptr;

// The node a "selcnt" kind names: a content type's code, 0 for the root,
// -1 for a kind that names nothing.
int TypeOfKind(const std::string& kind)
{
    const std::pair<const char*, int> kinds[] = {
        {"java", 26}, {"ss", 24},     {"wp", 15},        {"rtmono", 2},
        {"rtpoly", 14}, {"logos", 1}, {"logos_big", 3}, {"start", 0},
    };
    for (const auto& [name, code] : kinds)
        if (kind == name)
            return code;
    return -1;
}

} // namespace

void SetPageNavigator(PageNavigator* navigator)
{
    g_navigator = navigator;
}

PageNavigator* GetPageNavigator()
{
    return g_navigator;
}

void SplitCommand(const std::string& command, char separator, std::string& name, std::string& argument)
{
    const size_t at = command.find(separator);
    if (at == std::string::npos) {
        name = command;
        argument.clear();
        return;
    }
    name = command.substr(0, at);
    argument = command.substr(at + 1);
}

void OnPageCommand(std::string command)
{
    std::string argument;
    if (command.find('|') != std::string::npos) {
        std::string name;
        SplitCommand(command, '|', name, argument);
        command = std::move(name);
    }
    if (!g_navigator)
        return;
    if (command == "selgroup") {
        g_navigator->SelectGroup(argument);
    } else if (command == "selcnt") {
        if (const int type = TypeOfKind(argument); type >= 0)
            g_navigator->SelectTypeNode(type);
    }
}
