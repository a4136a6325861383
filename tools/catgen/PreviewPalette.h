#pragma once

#include <cstdint>
#include <vector>

#include "tools/catgen/GifEncoder.h"

// The colour table of a preview, built while it is drawn: each colour or
// ramp of colours gets the next free indices.
class PreviewPalette
{
public:
    static constexpr int kMaxColours = 64;  // keeps the files small

    // The index of the colour. Throws std::length_error past kMaxColours.
    std::uint8_t Add(GifColour colour);
    // `steps` colours evenly from `from` to `to`, both included; the index
    // of the first (PixelCanvas::FillRamp and FillGlow take it so).
    std::uint8_t Ramp(GifColour from, GifColour to, int steps);

    const std::vector<GifColour>& Colours() const { return m_colours; }

private:
    std::vector<GifColour> m_colours;
};

// `a` moved towards `b` by part / 16.
GifColour Mix(GifColour a, GifColour b, int part);
