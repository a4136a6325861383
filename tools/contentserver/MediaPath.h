#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Where a media address leads inside a content directory. The generator
// writes a picture for address <media base><key>/<group id, percent-encoded>/<file>
// to media/<key>/<GroupDirectoryName(group id)>/<file>.
//
// `below` is the address path after the media base's path ("logos/12/10001.gif").
// Each of its three segments is percent-decoded. nullopt unless the key is
// one of the seven type keys and neither directory nor file name could step
// out of the media directory ("", ".", "..", a "/" or "\" in the file name,
// a NUL byte anywhere).
std::optional<std::filesystem::path> MediaFilePath(std::string_view below);
