#pragma once

#include <string>
#include <string_view>
#include <vector>

// Listing pages as the content server answers them, in the generator's
// layout: the XML declaration, a root "response" with max_page and
// total_results, then each item's "ressource" element as it stood in the
// content's page files.

// The "ressource" elements of a page, each as its verbatim text from the
// start of its line to the end of the line of its closing tag. An element
// without a closing tag ends the list.
std::vector<std::string> SplitListingItems(std::string_view page);

// The number in attribute `name` of the first element after the XML
// declaration; -1 when it is missing or not a number.
int RootAttributeNumber(std::string_view page, std::string_view name);

// Page `page` (from 1) of `items` at `pageSize` (at least 1) items a page.
// A page outside 1..max_page has the attributes and no item.
std::string AssembleListingPage(const std::vector<std::string>& items, int page, int pageSize);

// A type index listing the given "ressource" fragments.
std::string AssembleIndex(const std::vector<std::string>& groups);
