#include "tools/catgen/PngEncoder.h"

#include <stdexcept>

#include <zlib.h>

namespace {

void Put32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& out, const char (&type)[5], const std::string& data)
{
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    out += typed;
    Put32(out, static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0),
                                                reinterpret_cast<const Bytef*>(typed.data()),
                                                static_cast<uInt>(typed.size()))));
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& pixels,
                      const std::vector<GifColour>& palette)
{
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw std::invalid_argument("PNG picture size out of range");
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("PNG pixel count does not match the picture size");
    if (palette.empty() || palette.size() > 256)
        throw std::invalid_argument("PNG palette must hold 1 to 256 colours");
    for (const std::uint8_t pixel : pixels)
        if (pixel >= palette.size())
            throw std::invalid_argument("PNG pixel outside the palette");

    std::string header;
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x03\x00\x00\x00", 5);  // 8 bits, palette, deflate, no interlace

    std::string colours;
    for (const GifColour& colour : palette) {
        colours += static_cast<char>(colour.red);
        colours += static_cast<char>(colour.green);
        colours += static_cast<char>(colour.blue);
    }

    // Every row behind a filter byte of 0: no filter.
    const auto rowBytes = static_cast<std::size_t>(width);
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(pixels.data()) + row * rowBytes, rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress a PNG picture");
    packed.resize(packedSize);

    std::string out("\x89PNG\r\n\x1A\n", 8);
    AppendChunk(out, "IHDR", header);
    AppendChunk(out, "PLTE", colours);
    AppendChunk(out, "IDAT", packed);
    AppendChunk(out, "IEND", "");
    return out;
}
