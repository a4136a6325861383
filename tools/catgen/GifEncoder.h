#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A still GIF89a picture: one image, a global colour table, LZW-compressed
// pixel indices. Small and dependency-free, enough for catalog pictures.

struct GifColour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The file bytes of a width x height picture whose pixels (row by row, top
// row first) index into palette. The palette holds 2 to 256 colours and is
// padded with black to a power of two. Throws std::invalid_argument when
// the sizes do not fit (empty or above 65535, pixel count not width x
// height, a pixel beyond the palette).
std::string EncodeGif(int width, int height, const std::vector<std::uint8_t>& pixels,
                      const std::vector<GifColour>& palette);
