#include "pages/PageCommand.h"

#include "catalog/ContentTypeTable.h"
#include "pages/PageNavigator.h"

namespace {

PageNavigator* g_navigator = nullptr;

// The node a "selcnt" kind names: a content type's code, 0 for the root,
// -1 for a kind that names nothing.
int TypeOfKind(const std::string& kind)
{
    if (kind == "start")
        return 0;
    for (const ContentTypeInfo& type : CONTENT_TYPES)
        if (kind == type.pageKind)
            return type.code;
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
