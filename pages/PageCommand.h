#pragma once

#include <string>

class PageNavigator;
class ResultsNavigator;

// Performs one page call: a command name, optionally followed by "|" and an
// argument. "selgroup|label" selects the child of the selected tree item
// with that label; "selcnt|kind" selects the node of the type whose page
// kind it is (ContentTypeInfo: "wp", "java", ...) or the root ("start").
// "selgrp|kind|label" selects the group with that label under the node of
// the type of that kind, from anywhere in the tree (the label may hold
// further "|"). "findmore|N" shows the last search's results again with up
// to N items (decimal digits only). Anything else, "help" included, does
// nothing. The new page is shown before this returns.
void OnPageCommand(std::string command);

// The tree the commands move; null (the default) makes them do nothing.
void SetPageNavigator(PageNavigator* navigator);
PageNavigator* GetPageNavigator();
// The search that "findmore" asks; null (the default) makes it do nothing.
void SetResultsNavigator(ResultsNavigator* navigator);
ResultsNavigator* GetResultsNavigator();

// Splits at the first separator: the name before it, the argument (which
// may hold further separators) after it. Without one the whole command is
// the name and the argument is "".
void SplitCommand(const std::string& command, char separator, std::string& name, std::string& argument);
