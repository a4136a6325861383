#include "GifDecoder.h"

#include <cstddef>

namespace {

class Reader
{
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}

    bool Has(std::size_t n) const { return m_at + n <= m_bytes.size(); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(m_bytes[m_at++]); }
    int Word()
    {
        const int low = Byte();
        return low | (Byte() << 8);
    }
    std::size_t At() const { return m_at; }

private:
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

// The LZW stream of an image, its sub-blocks already joined.
std::string Decompress(const std::string& data, int minCodeSize, std::size_t expected,
                       std::vector<std::uint8_t>& pixels)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    std::vector<int> prefix(4096, -1);
    std::vector<std::uint8_t> suffix(4096, 0);
    std::vector<std::uint8_t> first(4096, 0);
    for (int i = 0; i < clearCode; ++i) {
        suffix[i] = static_cast<std::uint8_t>(i);
        first[i] = static_cast<std::uint8_t>(i);
    }

    int codeSize = minCodeSize + 1;
    int next = endCode + 1;
    int previous = -1;
    std::size_t bit = 0;
    std::vector<std::uint8_t> string;
    const auto expand = [&](int code) {
        string.clear();
        for (int c = code; c >= 0; c = prefix[c])
            string.push_back(suffix[c]);
        pixels.insert(pixels.end(), string.rbegin(), string.rend());
    };

    for (;;) {
        if (bit + static_cast<std::size_t>(codeSize) > data.size() * 8)
            return "LZW stream ends without the end code";
        int code = 0;
        for (int b = 0; b < codeSize; ++b, ++bit)
            if (static_cast<std::uint8_t>(data[bit / 8]) & (1 << (bit % 8)))
                code |= 1 << b;

        if (code == clearCode) {
            codeSize = minCodeSize + 1;
            next = endCode + 1;
            previous = -1;
            continue;
        }
        if (code == endCode)
            break;
        if (previous < 0) {
            if (code >= clearCode)
                return "first code after a clear is not a pixel";
            expand(code);
            previous = code;
            continue;
        }
        if (code > next || (code == next && next >= 4096))
            return "code " + std::to_string(code) + " not yet defined";
        if (next < 4096) {
            prefix[next] = previous;
            suffix[next] = code == next ? first[previous] : first[code];
            first[next] = first[previous];
            ++next;
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        expand(code);
        previous = code;
        if (pixels.size() > expected)
            return "more pixels than the image holds";
    }
    if (pixels.size() != expected)
        return "pixel count " + std::to_string(pixels.size()) + " instead of " +
               std::to_string(expected);
    if ((bit + 7) / 8 != data.size())
        return "data after the end code";
    return {};
}

DecodedGif Failed(const char* error)
{
    DecodedGif gif;
    gif.error = error;
    return gif;
}

} // namespace

DecodedGif DecodeGif(const std::string& bytes)
{
    DecodedGif gif;
    Reader in(bytes);
    if (bytes.compare(0, 6, "GIF89a") != 0 || !in.Has(13))
        return Failed("no GIF89a header");
    for (int i = 0; i < 6; ++i)
        in.Byte();
    gif.width = in.Word();
    gif.height = in.Word();
    const std::uint8_t flags = in.Byte();
    in.Byte();  // background
    in.Byte();  // aspect
    if (!(flags & 0x80))
        return Failed("no global colour table");
    const std::size_t colours = std::size_t{2} << (flags & 7);
    if (!in.Has(colours * 3))
        return Failed("colour table cut short");
    for (std::size_t i = 0; i < colours; ++i) {
        const std::uint32_t r = in.Byte();
        const std::uint32_t g = in.Byte();
        const std::uint32_t b = in.Byte();
        gif.palette.push_back(r << 16 | g << 8 | b);
    }

    if (!in.Has(11) || in.Byte() != ',')
        return Failed("no image descriptor");
    if (in.Word() != 0 || in.Word() != 0 || in.Word() != gif.width || in.Word() != gif.height)
        return Failed("image does not cover the screen");
    if (in.Byte() != 0)
        return Failed("local colour table or interlacing");
    const int minCodeSize = in.Byte();
    if (minCodeSize < 2 || minCodeSize > 8)
        return Failed("bad LZW code size");

    std::string data;
    for (;;) {
        if (!in.Has(1))
            return Failed("data blocks cut short");
        const std::uint8_t size = in.Byte();
        if (size == 0)
            break;
        if (!in.Has(size))
            return Failed("data block cut short");
        for (int i = 0; i < size; ++i)
            data += static_cast<char>(in.Byte());
    }
    if (!in.Has(1) || in.Byte() != ';' || in.At() != bytes.size())
        return Failed("no trailer at the end");

    const std::size_t expected =
        static_cast<std::size_t>(gif.width) * static_cast<std::size_t>(gif.height);
    gif.error = Decompress(data, minCodeSize, expected, gif.pixels);
    for (const std::uint8_t pixel : gif.pixels)
        if (pixel >= colours && gif.error.empty())
            gif.error = "pixel outside the colour table";
    return gif;
}
