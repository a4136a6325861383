#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/catgen/GifEncoder.h"

// A palette PNG, eight bits a pixel, compressed with zlib: the picture
// format every Java phone reads, which a MIDlet's icon must be in.
// Same arguments and errors as EncodeGif, except that the palette holds 1
// to 256 colours and is not padded.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& pixels,
                      const std::vector<GifColour>& palette);
