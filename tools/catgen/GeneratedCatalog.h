#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The catalog a content server would hold, as the generator invents it.
// Every string is plain text: markup and "&" are kept as characters and only
// the page renderer writes them as references, the way a server's XML
// library would.

struct GeneratedItem
{
    std::string id;                        // a decimal number, unique over the whole catalog
    std::string lib;                       // item label; may start in lower case
    std::optional<std::string> author;     // nullopt: no element; "": an empty element
    std::string urlDownload;               // absolute http address
    std::string desc;                      // may hold "<b>" markup, "&" and a line feed
    std::optional<std::string> file;       // picture, sound or preview address; nullopt: no element
    std::optional<std::string> screenbox;  // game screenshot or small preview; nullopt: no element
};

struct GeneratedGroup
{
    std::string id;          // as the index lists it; may hold unsafe characters or blanks
    std::string lib;         // group label
    std::string directory;   // GroupDirectoryName(id): where its listing pages live
    std::vector<GeneratedItem> items;
};

struct GeneratedType
{
    int code = 0;            // a code of CONTENT_TYPES
    std::string key;         // "logos", "rt_mono", ...
    std::vector<GeneratedGroup> groups;
};

struct GeneratedCatalog
{
    std::vector<GeneratedType> types;  // ascending codes
};

// The type of that code; null if the catalog was generated without it.
const GeneratedType* FindGeneratedType(const GeneratedCatalog& catalog, int code);

// The first group whose id, with leading and trailing blanks removed, equals
// `id` with the same trimming: a server receives the trimmed id from the
// update. Null if none.
const GeneratedGroup* FindGeneratedGroup(const GeneratedType& type, std::string_view id);

