#include "tools/catgen/GifEncoder.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kMaxCode = 4095;  // codes are at most 12 bits wide

void AppendWord(std::string& out, int value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Packs codes least significant bit first and cuts the stream into the
// data sub-blocks of at most 255 bytes that GIF wants.
class CodeWriter
{
public:
    explicit CodeWriter(std::string& out) : m_out(out) {}

    void Write(int code, int width)
    {
        m_bits |= static_cast<std::uint32_t>(code) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8) {
            PutByte(static_cast<std::uint8_t>(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }

    void Finish()
    {
        if (m_bitCount > 0)
            PutByte(static_cast<std::uint8_t>(m_bits & 0xFF));
        FlushBlock();
        m_out += '\0';  // block terminator
    }

private:
    void PutByte(std::uint8_t byte)
    {
        m_block[m_blockSize++] = byte;
        if (m_blockSize == 255)
            FlushBlock();
    }

    void FlushBlock()
    {
        if (m_blockSize == 0)
            return;
        m_out += static_cast<char>(m_blockSize);
        m_out.append(reinterpret_cast<const char*>(m_block), static_cast<std::size_t>(m_blockSize));
        m_blockSize = 0;
    }

    std::string& m_out;
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;
    std::uint8_t m_block[255] = {};
    int m_blockSize = 0;
};

void CompressPixels(std::string& out, const std::vector<std::uint8_t>& pixels, int minCodeSize)
{
    const int alphabet = 1 << minCodeSize;
    const int clearCode = alphabet;
    const int endCode = alphabet + 1;
    // next[code * alphabet + pixel]: the code of that string plus one pixel, 0 if none yet.
    std::vector<std::uint16_t> next(static_cast<std::size_t>(kMaxCode + 1) * alphabet, 0);

    out += static_cast<char>(minCodeSize);
    CodeWriter writer(out);
    int codeSize = minCodeSize + 1;
    int lastCode = endCode;  // the highest code assigned so far
    writer.Write(clearCode, codeSize);

    int current = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const int pixel = pixels[i];
        std::uint16_t& slot = next[static_cast<std::size_t>(current) * alphabet + pixel];
        if (slot != 0) {
            current = slot;
            continue;
        }
        writer.Write(current, codeSize);
        slot = static_cast<std::uint16_t>(++lastCode);
        // The decoder learns this code one step later, so it widens its
        // codes when the code just assigned reaches the next power of two.
        if (lastCode >= (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (lastCode == kMaxCode) {
            writer.Write(clearCode, codeSize);
            std::fill(next.begin(), next.end(), std::uint16_t{0});
            codeSize = minCodeSize + 1;
            lastCode = endCode;
        }
        current = pixel;
    }
    writer.Write(current, codeSize);
    writer.Write(endCode, codeSize);
    writer.Finish();
}

void CheckPicture(int width, int height, const std::vector<std::uint8_t>& pixels,
                  std::size_t colours)
{
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw std::invalid_argument("GIF picture size out of range");
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("GIF pixel count does not match the picture size");
    for (const std::uint8_t pixel : pixels)
        if (pixel >= colours)
            throw std::invalid_argument("GIF pixel outside the palette");
}

// The header, the logical screen and the global colour table; the table's
// bits are returned.
int AppendHeader(std::string& out, int width, int height, const std::vector<GifColour>& palette)
{
    if (palette.size() < 2 || palette.size() > 256)
        throw std::invalid_argument("GIF palette must hold 2 to 256 colours");
    int tableBits = 1;
    while ((std::size_t{1} << tableBits) < palette.size())
        ++tableBits;

    out += "GIF89a";
    AppendWord(out, width);
    AppendWord(out, height);
    // Global colour table present, 8 bits of colour resolution, table size.
    out += static_cast<char>(0x80 | 0x70 | (tableBits - 1));
    out += '\0';  // background colour index
    out += '\0';  // no pixel aspect ratio
    for (std::size_t i = 0; i < (std::size_t{1} << tableBits); ++i) {
        const GifColour colour = i < palette.size() ? palette[i] : GifColour{};
        out += static_cast<char>(colour.red);
        out += static_cast<char>(colour.green);
        out += static_cast<char>(colour.blue);
    }
    return tableBits;
}

// An image descriptor (no local table, not interlaced) and its pixels.
void AppendImage(std::string& out, int x, int y, int width, int height,
                 const std::vector<std::uint8_t>& pixels, int tableBits)
{
    out += ',';
    AppendWord(out, x);
    AppendWord(out, y);
    AppendWord(out, width);
    AppendWord(out, height);
    out += '\0';
    CompressPixels(out, pixels, tableBits < 2 ? 2 : tableBits);
}

} // namespace

std::string EncodeGif(int width, int height, const std::vector<std::uint8_t>& pixels,
                      const std::vector<GifColour>& palette)
{
    CheckPicture(width, height, pixels, palette.size());
    std::string out;
    const int tableBits = AppendHeader(out, width, height, palette);
    AppendImage(out, 0, 0, width, height, pixels, tableBits);
    out += ';';  // trailer
    return out;
}

std::string EncodeAnimatedGif(int width, int height, const std::vector<GifFrame>& frames,
                              const std::vector<GifColour>& palette)
{
    if (frames.empty())
        throw std::invalid_argument("GIF animation without frames");
    if (width < 1 || height < 1 || width > 65535 || height > 65535)
        throw std::invalid_argument("GIF picture size out of range");
    for (const GifFrame& frame : frames) {
        CheckPicture(frame.width, frame.height, frame.pixels, palette.size());
        if (frame.x < 0 || frame.y < 0 || frame.x + frame.width > width ||
            frame.y + frame.height > height || frame.delay < 0 || frame.delay > 65535)
            throw std::invalid_argument("GIF frame outside the picture");
    }

    std::string out;
    const int tableBits = AppendHeader(out, width, height, palette);
    // The application extension that makes viewers loop for ever.
    out += std::string("!\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const GifFrame& frame : frames) {
        // Graphic control extension: disposal 1 (keep) or 3 (restore), no
        // transparency, the delay.
        out += std::string("!\xF9\x04", 3);
        out += static_cast<char>((frame.restore ? 3 : 1) << 2);
        AppendWord(out, frame.delay);
        out += '\0';  // transparent index, unused
        out += '\0';  // block terminator
        AppendImage(out, frame.x, frame.y, frame.width, frame.height, frame.pixels, tableBits);
    }
    out += ';';
    return out;
}
