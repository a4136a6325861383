#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// A small indexed-colour drawing surface for the generated pictures. All
// drawing is clipped to the canvas; coordinates may lie outside it.
class PixelCanvas
{
public:
    PixelCanvas(int width, int height, std::uint8_t background);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
    std::uint8_t At(int x, int y) const;

    void Set(int x, int y, std::uint8_t colour);
    void FillRect(int x, int y, int width, int height, std::uint8_t colour);
    void FrameRect(int x, int y, int width, int height, std::uint8_t colour);
    void FillCircle(int cx, int cy, int radius, std::uint8_t colour);
    // The polygon through the points, filled by the even-odd rule on pixel
    // centres.
    void FillPolygon(const std::vector<std::pair<int, int>>& points, std::uint8_t colour);
    // Digits, capital letters and a few signs in a 3 x 5 font, each glyph
    // scale times as large and followed by a gap of scale pixels; other
    // characters leave a gap. Returns the x just past the text.
    int DrawText(int x, int y, std::string_view text, int scale, std::uint8_t colour);
    static int TextWidth(std::string_view text, int scale);

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};
