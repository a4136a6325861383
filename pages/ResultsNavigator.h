#pragma once

// What the search results page's commands ask of the search that made it.
// The window's search implements it and registers itself
// (SetResultsNavigator); the pages know nothing more of it.
class ResultsNavigator
{
public:
    virtual ~ResultsNavigator() = default;

    // Shows the results of the query shown last again, with up to this many
    // items.
    virtual void ShowMoreResults(int itemLimit) = 0;
};
