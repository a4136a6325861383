#include "tools/catgen/PreviewPalette.h"

#include <stdexcept>

namespace {

std::uint8_t Between(std::uint8_t a, std::uint8_t b, int part, int whole)
{
    return static_cast<std::uint8_t>(a + (b - a) * part / whole);
}

} // namespace

std::uint8_t PreviewPalette::Add(GifColour colour)
{
    if (m_colours.size() >= kMaxColours)
        throw std::length_error("a preview uses more than 64 colours");
    m_colours.push_back(colour);
    return static_cast<std::uint8_t>(m_colours.size() - 1);
}

std::uint8_t PreviewPalette::Ramp(GifColour from, GifColour to, int steps)
{
    const auto first = static_cast<std::uint8_t>(m_colours.size());
    for (int i = 0; i < steps; ++i) {
        const int whole = steps > 1 ? steps - 1 : 1;
        Add({Between(from.red, to.red, i, whole), Between(from.green, to.green, i, whole),
             Between(from.blue, to.blue, i, whole)});
    }
    return first;
}

GifColour Mix(GifColour a, GifColour b, int part)
{
    return {Between(a.red, b.red, part, 16), Between(a.green, b.green, part, 16),
            Between(a.blue, b.blue, part, 16)};
}
