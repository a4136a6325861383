#include "pages/PageCommand.h"

#include "catalog/ContentTypeTable.h"
#include "pages/PageNavigator.h"
#include "pages/ResultsNavigator.h"

namespace {

PageNavigator* g_navigator = nullptr;
ResultsNavigator* g_resultsNavigator = nullptr;

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

// The item limit of "findmore": 1 to 9 decimal digits (more than any
// catalog holds, and within an int); -1 for anything else.
int ItemLimitOf(const std::string& argument)
{
    if (argument.empty() || argument.size() > 9)
        return -1;
    int limit = 0;
    for (const char c : argument) {
        if (c < '0' || c > '9')
            return -1;
        limit = limit * 10 + (c - '0');
    }
    return limit;
}

// "kind|label": a group of a content type.
void SelectTypeGroup(PageNavigator& navigator, const std::string& argument)
{
    if (argument.find('|') == std::string::npos)
        return;
    std::string kind;
    std::string label;
    SplitCommand(argument, '|', kind, label);
    if (const int type = TypeOfKind(kind); type > 0)
        navigator.SelectTypeGroup(type, label);
}

} // namespace

void SetResultsNavigator(ResultsNavigator* navigator)
{
    g_resultsNavigator = navigator;
}

ResultsNavigator* GetResultsNavigator()
{
    return g_resultsNavigator;
}

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
    if (command == "findmore") {
        if (const int limit = ItemLimitOf(argument); limit >= 0 && g_resultsNavigator)
            g_resultsNavigator->ShowMoreResults(limit);
        return;
    }
    if (!g_navigator)
        return;
    if (command == "selgroup") {
        g_navigator->SelectGroup(argument);
    } else if (command == "selcnt") {
        if (const int type = TypeOfKind(argument); type >= 0)
            g_navigator->SelectTypeNode(type);
    } else if (command == "selgrp") {
        SelectTypeGroup(*g_navigator, argument);
    }
}
