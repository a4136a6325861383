#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/catgen/ContentWords.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/catgen/GeneratedCatalog.h"
#include "tools/catgen/PreviewRenderer.h"

// What the generator invents for a content type, beside what the program
// knows of it (ContentTypeInfo, which also says which element of an item
// holds the address of the picture the update fetches): the words of its
// catalog, the other files its items name, the pictures drawn for them and
// the files behind their download addresses.
struct CatgenTypeTraits
{
    std::string_view key;  // of the ContentTypeInfo it belongs to
    const TypeVocabulary& (*words)();

    // Endings of the addresses of an item's "file" and "screenbox"
    // elements besides the picture; "" for none.
    std::string_view fileEnding;
    std::string_view screenboxEnding;
    // Items with a file, in percent: older ringtones have none. Below 100,
    // one draw of the item's random numbers decides.
    std::uint32_t filePercent;
    // An ending used instead of fileEnding for this share of the items
    // with a file, in percent; "" for none.
    std::string_view otherFileEnding;
    std::uint32_t otherFilePercent;

    // The picture the update fetches; null exactly for the types without
    // (ContentTypeInfo::HasMediaFiles).
    std::string (*picture)(int typeCode, const GeneratedItem& item);
    // The previews the pages show by their addresses; null for none.
    RenderedPreview (*preview)(int typeCode, const GeneratedItem& item);

    // The file behind the item's download address, and whether a JAD
    // descriptor comes with it.
    DownloadFormat downloadFormat;
    RenderedDownload (*download)(int typeCode, const GeneratedItem& item);
    bool downloadDescriptor;
};

// The traits of the type with that code; null for a code without an entry.
const CatgenTypeTraits* FindCatgenTraits(int code);
