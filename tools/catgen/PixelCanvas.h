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
    // A circle's outline, one pixel wide.
    void DrawCircle(int cx, int cy, int radius, std::uint8_t colour);
    void FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t colour);
    // From (x0, y0) to (x1, y1) with a square pen `width` pixels wide.
    void DrawLine(int x0, int y0, int x1, int y1, int width, std::uint8_t colour);
    // A vertical gradient through the `count` consecutive colours from
    // `first` on, top to bottom, each row dithered between its two nearest
    // colours by an ordered 4 x 4 pattern.
    void FillRamp(int x, int y, int width, int height, std::uint8_t first, int count);
    // A round glow: the colours from `first` on outwards from the centre,
    // the last of them dithered into what is already there at the rim.
    void FillGlow(int cx, int cy, int radius, std::uint8_t first, int count);
    // The polygon through the points, filled by the even-odd rule on pixel
    // centres.
    void FillPolygon(const std::vector<std::pair<int, int>>& points, std::uint8_t colour);
    // Digits, capital letters and a few signs in a 3 x 5 font, each glyph
    // scale times as large and followed by a gap of scale pixels; other
    // characters leave a gap. Returns the x just past the text.
    int DrawText(int x, int y, std::string_view text, int scale, std::uint8_t colour);
    static int TextWidth(std::string_view text, int scale);
    // Every second pixel of every second row: the picture at half size.
    PixelCanvas Halved() const;

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};
