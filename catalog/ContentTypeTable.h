#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The integer codes of the seven content types. They are not contiguous.
enum ContentTypeCode : int
{
    CT_LOGOS = 1,
    CT_RT_MONO = 2,
    CT_LOGOS_BIG = 3,
    CT_RT_POLY = 14,
    CT_WALLPAPERS = 15,
    CT_SCREENSAVERS = 24,
    CT_JAVA = 26,
};

inline constexpr int CONTENT_TYPE_COUNT = 7;

// Everything that differs from one content type to the next. The tree, the
// pages, the page commands, the update and the catalog generator read it
// instead of telling the types apart by their codes.
struct ContentTypeInfo
{
    int code;
    std::string_view key;    // names data/<key>/ and the server's requests
    std::string_view title;  // the tree node's label and a page's "*name*"

    // Places from 0 in three orders: of the type nodes under the tree's
    // root, of the load (and of a cache rebuild), of the update.
    int treeRank;
    int loadRank;
    int updateRank;

    std::string_view updateLabel;  // what "Updating %s..." names; may be ""
    std::string_view listingAct;   // "act" of the group information and page requests
    // The element of a listing item whose address is the picture the update
    // fetches into the group's directory; "" when the type has none.
    std::string_view mediaElement;

    std::string_view itemTemplate;  // the fragment of one cell of an items page
    int cellsPerRow;                // of an items page
    // Where an items page looks for an item's picture: data/ + dir + group
    // + "/" + item id + extension.
    std::string_view pageMediaDir;
    std::string_view pageMediaExtension;

    std::string_view pageKind;  // the "selcnt" argument that selects the type's node

    constexpr bool HasMediaFiles() const { return !mediaElement.empty(); }
};

// In ascending order of the codes.
inline constexpr std::array<ContentTypeInfo, CONTENT_TYPE_COUNT> CONTENT_TYPES = {{
    {.code = CT_LOGOS,
     .key = "logos",
     .title = "Logos",
     .treeRank = 5,
     .loadRank = 3,
     .updateRank = 1,
     .updateLabel = "logos",
     .listingAct = "CONT",
     .mediaElement = "file",
     .itemTemplate = "item_logo",
     .cellsPerRow = 3,
     .pageMediaDir = "logos/",
     .pageMediaExtension = ".gif",
     .pageKind = "logos"},
    {.code = CT_RT_MONO,
     .key = "rt_mono",
     .title = "Ringtones (mono)",
     .treeRank = 1,
     .loadRank = 0,
     .updateRank = 6,
     .updateLabel = "monophonic ringtones",
     .listingAct = "CONT",
     .mediaElement = "",
     .itemTemplate = "item_ringtone",
     .cellsPerRow = 1,
     .pageMediaDir = "",
     .pageMediaExtension = "",
     .pageKind = "rtmono"},
    {.code = CT_LOGOS_BIG,
     .key = "logos_big",
     .title = "Logos (big)",
     .treeRank = 6,
     .loadRank = 4,
     .updateRank = 0,
     .updateLabel = "big logos",
     .listingAct = "CONT",
     .mediaElement = "file",
     .itemTemplate = "item_logo",
     .cellsPerRow = 3,
     .pageMediaDir = "logos_big/",
     .pageMediaExtension = ".gif",
     .pageKind = "logos_big"},
    {.code = CT_RT_POLY,
     .key = "rt_poly",
     .title = "Ringtones (poly)",
     .treeRank = 0,
     .loadRank = 1,
     .updateRank = 5,
     .updateLabel = "polyphonic ringtones",
     .listingAct = "CONT",
     .mediaElement = "",
     .itemTemplate = "item_ringtone",
     .cellsPerRow = 1,
     .pageMediaDir = "",
     .pageMediaExtension = "",
     .pageKind = "rtpoly"},
    {.code = CT_WALLPAPERS,
     .key = "wallpapers",
     .title = "Wallpapers",
     .treeRank = 2,
     .loadRank = 5,
     .updateRank = 3,
     .updateLabel = "wallpapers",
     .listingAct = "CONT",
     .mediaElement = "",
     .itemTemplate = "item_pic",
     .cellsPerRow = 3,
     .pageMediaDir = "",
     .pageMediaExtension = "",
     .pageKind = "wp"},
    // The update has no label for screen savers: it shows "Updating ...".
    {.code = CT_SCREENSAVERS,
     .key = "screensavers",
     .title = "Screen savers",
     .treeRank = 3,
     .loadRank = 6,
     .updateRank = 4,
     .updateLabel = "",
     .listingAct = "CONT",
     .mediaElement = "",
     .itemTemplate = "item_pic",
     .cellsPerRow = 2,
     .pageMediaDir = "",
     .pageMediaExtension = "",
     .pageKind = "ss"},
    // The pages add ".gif" to a game's picture themselves.
    {.code = CT_JAVA,
     .key = "java",
     .title = "Java games",
     .treeRank = 4,
     .loadRank = 2,
     .updateRank = 2,
     .updateLabel = "java games",
     .listingAct = "GAMESCONT",
     .mediaElement = "screenbox",
     .itemTemplate = "item_javagame",
     .cellsPerRow = 1,
     .pageMediaDir = "java/",
     .pageMediaExtension = "",
     .pageKind = "java"},
}};

// The type of that code; null for a code without an entry.
constexpr const ContentTypeInfo* FindContentType(int code)
{
    for (const ContentTypeInfo& type : CONTENT_TYPES)
        if (type.code == code)
            return &type;
    return nullptr;
}

// The type with that key ("logos", "rt_poly", ...); null for any other text.
constexpr const ContentTypeInfo* FindContentTypeByKey(std::string_view key)
{
    for (const ContentTypeInfo& type : CONTENT_TYPES)
        if (type.key == key)
            return &type;
    return nullptr;
}

namespace content_type_detail {

using Order = std::array<int, CONTENT_TYPE_COUNT>;

// The codes by their places in one order; a place taken twice or out of
// range stops the build.
consteval Order CodesBy(int ContentTypeInfo::*rank)
{
    Order codes{};
    std::array<bool, CONTENT_TYPE_COUNT> taken{};
    for (const ContentTypeInfo& type : CONTENT_TYPES) {
        const int place = type.*rank;
        if (place < 0 || place >= CONTENT_TYPE_COUNT || taken[static_cast<std::size_t>(place)])
            throw "each order names every type once";
        taken[static_cast<std::size_t>(place)] = true;
        codes[static_cast<std::size_t>(place)] = type.code;
    }
    return codes;
}

// Codes in ascending order, and keys, titles and page kinds that tell the
// types apart.
consteval bool TypesAreDistinct()
{
    for (std::size_t i = 0; i < CONTENT_TYPES.size(); ++i)
        for (std::size_t j = i + 1; j < CONTENT_TYPES.size(); ++j) {
            const ContentTypeInfo& a = CONTENT_TYPES[i];
            const ContentTypeInfo& b = CONTENT_TYPES[j];
            if (a.code >= b.code || a.key == b.key || a.title == b.title || a.pageKind == b.pageKind)
                return false;
        }
    return true;
}
static_assert(TypesAreDistinct());

} // namespace content_type_detail

inline constexpr content_type_detail::Order CONTENT_TYPE_TREE_ORDER =
    content_type_detail::CodesBy(&ContentTypeInfo::treeRank);
inline constexpr content_type_detail::Order CONTENT_TYPE_LOAD_ORDER =
    content_type_detail::CodesBy(&ContentTypeInfo::loadRank);
inline constexpr content_type_detail::Order CONTENT_TYPE_UPDATE_ORDER =
    content_type_detail::CodesBy(&ContentTypeInfo::updateRank);
