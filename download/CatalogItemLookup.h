#pragma once

#include <optional>
#include <string>
#include <string_view>

struct ContentGroup;

// An item of the loaded catalogs (CatalogForType), by content type code and
// indices, as it was found.
struct CatalogItemRef
{
    int type = 0;
    int group = 0;
    int item = 0;
};

// An item's download address as a page's link has it: the catalog keeps
// character references ("&amp;") that the page's parser decodes.
std::string DownloadAddressOf(const ContentGroup& group, size_t item);

// An item's label as the pages show it: references decoded.
std::string ItemLabelOf(const ContentGroup& group, size_t item);

// The first item of the type with this id.
std::optional<CatalogItemRef> FindItemById(int type, std::string_view id);

// The first item, in the tree's order, whose download address is this one.
std::optional<CatalogItemRef> FindItemByAddress(std::string_view address);

// The group and the label of a found item; null while the catalog no
// longer has it.
const ContentGroup* GroupOfItem(const CatalogItemRef& ref);
