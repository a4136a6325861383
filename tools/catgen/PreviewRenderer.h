#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/catgen/GeneratedCatalog.h"

// The previews of the types shown by a picture of their own that the update
// does not fetch: wallpapers, 128 x 160, and screen savers, 128 x 128, each
// with a half-size copy for its screenbox address. A preview is a
// GIF89a file with a scene picked by the words of the item's label
// ("Sunset", "Snowfall", "Digital clock", ...) or else by its id, in a
// colour scheme of its own: the same item always gives the same bytes,
// whatever the seed or the rest of the catalog.

struct RenderedPreview
{
    std::string file;       // for the item's file address
    std::string screenbox;  // the same at half size, for its screenbox address
};

// True for the types whose traits have previews (CatgenTypeTraits).
bool HasPreview(int typeCode);

// Both files empty for a type without previews.
RenderedPreview RenderPreview(int typeCode, const GeneratedItem& item);

// The previews the traits name; the type's code seeds the scene.
RenderedPreview RenderWallpaperPreview(int typeCode, const GeneratedItem& item);
RenderedPreview RenderScreensaverPreview(int typeCode, const GeneratedItem& item);

// Where the file of a media address of the group lives below the output
// directory: media/<type key>/<group directory>/<the address's file name>.
std::filesystem::path MediaRelativePath(const GeneratedType& type, const GeneratedGroup& group,
                                        std::string_view address);

// The item's picture at a phone's screen size, what a phone downloads: the
// scene of its preview drawn anew at width x height (at least 16 x 16).
std::string RenderWallpaperScreen(int typeCode, const GeneratedItem& item, int width, int height);
// The same for a screen saver, as an endless animation: the scene, then
// sparkles that flash one after another over its upper part.
std::string RenderScreensaverScreen(int typeCode, const GeneratedItem& item, int width, int height);
