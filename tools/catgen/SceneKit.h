#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/GifEncoder.h"
#include "tools/catgen/PixelCanvas.h"
#include "tools/catgen/PreviewPalette.h"

// What the preview scenes share: their colour schemes, the surface they
// paint on and the pieces several of them draw.

// The colours of a scheme: the background from top to bottom, the land or
// water, and two lights.
struct SceneColours
{
    GifColour top;
    GifColour bottom;
    GifColour land;
    GifColour accent;
    GifColour glow;
};

// Schemes as bits, for the set of schemes a scene looks good in.
enum SceneScheme : unsigned {
    kDusk = 1u << 0,
    kDay = 1u << 1,
    kNight = 1u << 2,
    kSunset = 1u << 3,
    kMint = 1u << 4,
    kRose = 1u << 5,
    kGold = 1u << 6,
    kIce = 1u << 7,
    kViolet = 1u << 8,
};

// One of the schemes in `schemes`: the one a word of the name asks for
// ("Golden", "Frozen", "Dark", ...) where it is among them, else by chance.
SceneColours PickColours(CatgenRandom& random, std::string_view name, unsigned schemes);

struct Scene
{
    PixelCanvas& canvas;
    PreviewPalette& palette;
    CatgenRandom& random;
    SceneColours colours;

    int Width() const { return canvas.Width(); }
    int Height() const { return canvas.Height(); }
    // The scheme's background ramp over rows 0 to height - 1.
    void Background(int height, int steps);
};

inline constexpr GifColour kBlack = {0, 0, 0};
inline constexpr GifColour kWhite = {255, 255, 255};

// The point at sixtieth / 60 of a turn clockwise from 12 o'clock.
std::pair<int, int> OnCircle(int cx, int cy, int radius, int sixtieth);

// A ball lit from its upper left: the colours from `first` on, lightest first.
void ShadedBall(PixelCanvas& canvas, int cx, int cy, int radius, std::uint8_t first, int count);

// A twinkle: a cross with arms `arm` pixels long and a brighter middle.
void Sparkle(PixelCanvas& canvas, int x, int y, int arm, std::uint8_t colour);

// A mountain range: peaks and valleys in turn from edge to edge, the land
// below them down to the bottom filled; with `snow`, the tops in that colour.
void Ridge(Scene& scene, int baseY, int amplitude, std::uint8_t colour, int snow = -1);

// Houses side by side standing on baseY, up to maxHeight tall; with `lit`,
// some windows lit in that colour.
void Skyline(Scene& scene, int baseY, int maxHeight, std::uint8_t colour, int lit = -1);

// Dots and a few sparkles over rows 0 to bottom - 1, in the `count`
// colours from `first` on.
void ScatterStars(Scene& scene, int stars, int bottom, std::uint8_t first, int count);
