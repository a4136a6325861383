#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An independent reader for the GIF files the generator writes: one image,
// a global colour table, no interlacing. Strict: anything unexpected is an
// error, so a faulty encoder cannot hide behind a lenient decoder.
struct DecodedGif
{
    std::string error;  // "" when the file decoded
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::uint8_t> pixels;    // row by row
};

DecodedGif DecodeGif(const std::string& bytes);
