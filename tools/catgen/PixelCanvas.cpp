#include "tools/catgen/PixelCanvas.h"

#include <algorithm>

namespace {

// Rows of a 3 x 5 glyph, three bits each, the leftmost pixel in bit 2.
struct Glyph
{
    char c;
    std::uint8_t rows[5];
};

constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}},
    {'3', {7, 1, 3, 1, 7}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}},
    {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}}, {'8', {7, 5, 7, 5, 7}},
    {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}},
    {'F', {7, 4, 6, 4, 4}}, {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}},
    {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}},
    {'R', {6, 5, 6, 5, 5}}, {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}},
    {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {':', {0, 2, 0, 2, 0}}, {'-', {0, 0, 7, 0, 0}}, {'!', {2, 2, 2, 0, 2}},
};

const Glyph* FindGlyph(char c)
{
    for (const Glyph& glyph : kGlyphs)
        if (glyph.c == c)
            return &glyph;
    return nullptr;
}

} // namespace

PixelCanvas::PixelCanvas(int width, int height, std::uint8_t background)
    : m_width(width),
      m_height(height),
      m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background)
{
}

std::uint8_t PixelCanvas::At(int x, int y) const
{
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

void PixelCanvas::Set(int x, int y, std::uint8_t colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
             static_cast<std::size_t>(x)] = colour;
}

void PixelCanvas::FillRect(int x, int y, int width, int height, std::uint8_t colour)
{
    const int left = std::max(0, x);
    const int top = std::max(0, y);
    const int right = std::min(m_width, x + width);
    const int bottom = std::min(m_height, y + height);
    for (int row = top; row < bottom; ++row)
        for (int col = left; col < right; ++col)
            Set(col, row, colour);
}

void PixelCanvas::FrameRect(int x, int y, int width, int height, std::uint8_t colour)
{
    FillRect(x, y, width, 1, colour);
    FillRect(x, y + height - 1, width, 1, colour);
    FillRect(x, y, 1, height, colour);
    FillRect(x + width - 1, y, 1, height, colour);
}

void PixelCanvas::FillCircle(int cx, int cy, int radius, std::uint8_t colour)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (dx * dx + dy * dy <= radius * radius + radius / 2)
                Set(cx + dx, cy + dy, colour);
}

void PixelCanvas::FillPolygon(const std::vector<std::pair<int, int>>& points, std::uint8_t colour)
{
    if (points.size() < 3)
        return;
    int top = m_height;
    int bottom = -1;
    for (const auto& [px, py] : points) {
        top = std::min(top, py);
        bottom = std::max(bottom, py);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height - 1);
    // Twice the coordinates, so that pixel centres are whole numbers.
    for (int row = top; row <= bottom; ++row) {
        const int y2 = row * 2 + 1;
        std::vector<int> crossings;  // twice the x of each edge crossing
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto [x0, y0] = points[i];
            const auto [x1, y1] = points[(i + 1) % points.size()];
            const int ya = y0 * 2;
            const int yb = y1 * 2;
            if ((ya <= y2) == (yb <= y2))
                continue;
            crossings.push_back(x0 * 2 + (y2 - ya) * (x1 - x0) * 2 / (yb - ya));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int col = 0; col < m_width; ++col) {
                const int x2 = col * 2 + 1;
                if (x2 >= crossings[i] && x2 < crossings[i + 1])
                    Set(col, row, colour);
            }
    }
}

int PixelCanvas::DrawText(int x, int y, std::string_view text, int scale, std::uint8_t colour)
{
    for (const char c : text) {
        if (const Glyph* glyph = FindGlyph(c))
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (glyph->rows[row] & (4 >> col))
                        FillRect(x + col * scale, y + row * scale, scale, scale, colour);
        x += 4 * scale;
    }
    return x;
}

int PixelCanvas::TextWidth(std::string_view text, int scale)
{
    return text.empty() ? 0 : static_cast<int>(text.size()) * 4 * scale - scale;
}
