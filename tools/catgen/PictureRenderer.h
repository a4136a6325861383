#pragma once

#include <filesystem>
#include <string>

#include "tools/catgen/GeneratedCatalog.h"

// The pictures of the types whose items have one that the update fetches:
// logos 72 x 14 in two colours, big logos 96 x 64 in two colours and Java
// game screenshots 96 x 64 in sixteen colours. Each is a GIF89a file drawn
// from the item's id (and, for big logos, its label) and the type's code:
// the same item always gives the same bytes, whatever the seed or the rest
// of the catalog.

// True for the types whose pictures the update fetches
// (ContentTypeInfo::HasMediaFiles).
bool HasPicture(int typeCode);

// The GIF file of the item's picture, drawn as its type's traits say
// (CatgenTypeTraits); "" for a type without pictures.
std::string RenderPicture(int typeCode, const GeneratedItem& item);

// The drawings the traits name.
std::string RenderLogo(int typeCode, const GeneratedItem& item);
std::string RenderBigLogo(int typeCode, const GeneratedItem& item);
std::string RenderGameScreen(int typeCode, const GeneratedItem& item);

// Where the picture lives below the output directory:
// media/<type key>/<group directory>/<item id>.gif, the path of the item's
// picture address below the media base with the group's id in its
// directory form (GroupDirectoryName) instead of percent-encoded.
std::filesystem::path PictureRelativePath(const GeneratedType& type, const GeneratedGroup& group,
                                          const GeneratedItem& item);
