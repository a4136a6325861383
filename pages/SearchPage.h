#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class PageBuilder;
struct SearchResult;

// How many items a results page shows first, and how many more each
// "Show more" adds.
inline constexpr size_t SEARCH_PAGE_ITEMS = 200;

// The results page of a query from the "search" template of tpl/ (the one
// the program ships, built in, when tpl/ has none), with its references
// still relative. Placeholders, each filled once: "*query*" the query as
// typed, escaped; "*counts*" how many groups and items were found;
// "*groups*" the links of the groups found; "*body*" the first `limit`
// items, each drawn by its type's item fragment as on the items pages, in
// tables under the headings of their types and groups; "*more*" the link
// that shows more when items are left out; "*from*" the item the page opens
// at (`openAt`, 0 for the top). Group headings and links select their group
// ("selgrp|kind|label"), type headings their type ("selcnt|kind"), catalog
// text goes in as the other pages put it. `result` names items of the
// catalogs as they are now.
std::string SearchResultsPage(const PageBuilder& builder, std::string_view query, const SearchResult& result,
                              size_t limit, size_t openAt = 0);

// The results template the program ships.
std::string_view BuiltinSearchTemplate();
