#pragma once

#include <filesystem>
#include <string>

#include "tools/catgen/GeneratedCatalog.h"

// The pictures of the types whose items have one: logos (1) 72 x 14 in two
// colours, big logos (3) 96 x 64 in two colours and Java game screenshots
// (26) 96 x 64 in sixteen colours. Each is a GIF89a file drawn from the
// item's id (and, for big logos, its label): the same item always gives the
// same bytes, whatever the seed or the rest of the catalog.

// True for 1, 3 and 26.
bool HasPicture(int typeCode);

// The GIF file of the item's picture; "" for a type without pictures.
std::string RenderPicture(int typeCode, const GeneratedItem& item);

// Where the picture lives below the output directory:
// media/<type key>/<group directory>/<item id>.gif, the path of the item's
// picture address below the media base with the group's id in its
// directory form (GroupDirectoryName) instead of percent-encoded.
std::filesystem::path PictureRelativePath(const GeneratedType& type, const GeneratedGroup& group,
                                          const GeneratedItem& item);
