#include "tools/catgen/PixelCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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

// Thresholds of an ordered dither in 16ths, for a pixel at (x mod 4, y mod 4).
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int Threshold(int x, int y)
{
    return kBayer[y & 3][x & 3];
}

// The smallest whole number not below value / 2.
int CeilHalf(int value)
{
    return value >= 0 ? (value + 1) / 2 : -((-value) / 2);
}

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

void PixelCanvas::DrawCircle(int cx, int cy, int radius, std::uint8_t colour)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int squared = dx * dx + dy * dy;
            if (squared <= radius * radius + radius / 2 &&
                squared > (radius - 1) * (radius - 1) + (radius - 1) / 2)
                Set(cx + dx, cy + dy, colour);
        }
}

void PixelCanvas::FillEllipse(int cx, int cy, int rx, int ry, std::uint8_t colour)
{
    if (rx <= 0 || ry <= 0)
        return;
    const long long rx2 = static_cast<long long>(rx) * rx;
    const long long ry2 = static_cast<long long>(ry) * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx)
            if (dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2)
                Set(cx + dx, cy + dy, colour);
}

void PixelCanvas::DrawLine(int x0, int y0, int x1, int y1, int width, std::uint8_t colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    const int offset = (width - 1) / 2;
    for (int error = dx + dy;;) {
        FillRect(x0 - offset, y0 - offset, width, width, colour);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::FillRamp(int x, int y, int width, int height, std::uint8_t first, int count)
{
    if (height <= 0 || count <= 0)
        return;
    const int top = std::max(0, y);
    const int bottom = std::min(m_height, y + height);
    const int left = std::max(0, x);
    const int right = std::min(m_width, x + width);
    for (int row = top; row < bottom; ++row) {
        // The row's place on the ramp in 16ths of a step.
        const int place = height == 1 ? 0 : (row - y) * (count - 1) * 16 / (height - 1);
        std::uint8_t pattern[4];  // the row repeats every four columns
        for (int k = 0; k < 4; ++k) {
            const int step = place / 16 + (place % 16 > Threshold(k, row) ? 1 : 0);
            pattern[k] = static_cast<std::uint8_t>(first + std::min(step, count - 1));
        }
        std::uint8_t* line =
            &m_pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_width)];
        for (int col = left; col < right; ++col)
            line[col] = pattern[col & 3];
    }
}

void PixelCanvas::FillGlow(int cx, int cy, int radius, std::uint8_t first, int count)
{
    if (radius <= 0 || count <= 0)
        return;
    for (int dy = std::max(-radius, -cy); dy <= std::min(radius, m_height - 1 - cy); ++dy)
        for (int dx = std::max(-radius, -cx); dx <= std::min(radius, m_width - 1 - cx); ++dx) {
            const int squared = dx * dx + dy * dy;
            if (squared > radius * radius)
                continue;
            // The distance in 16ths of a pixel, then of a step; a square
            // root of a whole number is exact to the last bit everywhere.
            const int distance = static_cast<int>(std::sqrt(256.0 * squared));
            const int place = distance * count / radius;
            const int step = place / 16 + (place % 16 > Threshold(cx + dx, cy + dy) ? 1 : 0);
            if (step < count)
                Set(cx + dx, cy + dy, static_cast<std::uint8_t>(first + step));
        }
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
        // Columns whose centre 2 * col + 1 lies in [from, to).
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int from = std::max(0, CeilHalf(crossings[i] - 1));
            const int to = std::min(m_width, CeilHalf(crossings[i + 1] - 1));
            for (int col = from; col < to; ++col)
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

PixelCanvas PixelCanvas::Halved() const
{
    PixelCanvas half(std::max(1, m_width / 2), std::max(1, m_height / 2), 0);
    for (int y = 0; y < half.m_height; ++y)
        for (int x = 0; x < half.m_width; ++x)
            half.Set(x, y, At(x * 2, y * 2));
    return half;
}

int PixelCanvas::TextWidth(std::string_view text, int scale)
{
    return text.empty() ? 0 : static_cast<int>(text.size()) * 4 * scale - scale;
}
