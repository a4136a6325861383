#pragma once

#include <cstddef>
#include <string>

#include "tools/catgen/GeneratedCatalog.h"

// The documents a content server answers with, as UTF-8 XML text with an
// XML declaration and a root element "response". Text is escaped ("&" as
// "&amp;", "<" as "&lt;", ">" as "&gt;"); line feeds inside a description are
// kept. Lines end with a line feed.

// Number of pages of `total` items at `pageSize` a page (0 for no items).
int ListingPageCount(std::size_t total, int pageSize);

// The type index ("CAT"): one "ressource" with "id" and "lib" per group.
std::string RenderTypeIndex(const GeneratedType& type);

// Page `page` (from 1) of a group's listing at `pageSize` items a page. The
// root carries max_page (ListingPageCount) and total_results (all items of
// the group). A page outside 1..max_page, including page 1 of an empty group,
// has the attributes and no "ressource". Throws std::invalid_argument when
// pageSize is below 1.
std::string RenderListingPage(const GeneratedGroup& group, int page, int pageSize);
