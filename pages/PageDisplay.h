#pragma once

#include <string>

// Where the catalog tree's pages are shown. The browser pane implements it;
// the tree writes through it and knows nothing more of the browser.
class PageDisplay
{
public:
    virtual ~PageDisplay() = default;

    // Shows a page as generated from the templates: its relative
    // references are made absolute first, then it replaces the page shown.
    virtual void ShowPage(std::string page) = 0;
};
