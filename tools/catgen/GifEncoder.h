#pragma once

#include <cstdint>
#include <string>
#include <vector>

// GIF89a pictures: a global colour table and LZW-compressed pixel indices,
// one image or an animation of frames. Small and dependency-free, enough
// for catalog pictures.

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

// A frame of an animation: a rectangle of the picture drawn over what is
// there, shown for `delay` hundredths of a second; with `restore`, what it
// covered comes back before the next frame (a flash that leaves no trace).
struct GifFrame
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height, row by row
    int delay = 0;                     // 0 to 65535
    bool restore = false;
};

// An animation that loops for ever; the first frame should cover the whole
// picture. Throws std::invalid_argument as EncodeGif, also for no frames
// or a frame that does not lie within the picture.
std::string EncodeAnimatedGif(int width, int height, const std::vector<GifFrame>& frames,
                              const std::vector<GifColour>& palette);
