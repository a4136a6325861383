#include "tools/catgen/PatternScenes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/catgen/CanvasShapes.h"

namespace {

// A colour band that runs up the ramp and back down again, so that
// neighbouring bands never jump from its last colour to its first.
std::uint8_t Band(int position, std::uint8_t first, int count)
{
    const int period = 2 * count - 2;
    const int at = ((position % period) + period) % period;
    return static_cast<std::uint8_t>(first + (at < count ? at : period - at));
}

// The bands run from the scheme's background to its glow and on to its
// accent: kBandColours indices from the one BandColours returns.
constexpr int kBandColours = 7;

std::uint8_t BandColours(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const std::uint8_t first = scene.palette.Ramp(c.top, c.glow, 4);
    scene.palette.Ramp(Mix(c.glow, c.accent, 6), c.accent, 3);  // from first + 4 on
    return first;
}

} // namespace

void DrawHearts(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    scene.Background(h, 12);
    const std::uint8_t halo =
        scene.palette.Ramp(Mix(c.bottom, kWhite, 6), Mix(c.bottom, c.glow, 4), 4);
    scene.canvas.FillGlow(w / 2, h / 2, w * 3 / 5, halo, 4);

    const std::uint8_t paper = scene.palette.Add(c.bottom);
    const std::uint8_t inks[3] = {scene.palette.Add(c.glow),
                                  scene.palette.Add(Mix(c.glow, c.top, 7)),
                                  scene.palette.Add(Mix(c.glow, kWhite, 8))};
    for (int i = scene.random.Between(14, 22); i > 0; --i) {
        const int size = scene.random.Between(6, 18);
        DrawShape(scene.canvas, Shape::Heart, scene.random.Between(-4, w - size + 4),
                  scene.random.Between(-4, h - size + 4), size, inks[scene.random.Below(3)], paper);
    }
    // One big heart with a dark rim and a shine.
    const int size = w / 2 + scene.random.Between(0, w / 8);
    const int x = (w - size) / 2;
    const int y = (h - size) / 2;
    DrawShape(scene.canvas, Shape::Heart, x - 3, y - 3, size + 6,
              scene.palette.Add(Mix(c.top, kBlack, 6)), paper);
    DrawShape(scene.canvas, Shape::Heart, x, y, size,
              scene.palette.Add(Mix(c.glow, {220, 20, 60}, 8)), paper);
    scene.canvas.FillEllipse(x + size / 4, y + size / 4, size / 10, size / 14 + 1,
                             scene.palette.Add(kWhite));
    const std::uint8_t twinkle = scene.palette.Add(c.accent);
    for (int i = scene.random.Between(5, 9); i > 0; --i)
        Sparkle(scene.canvas, scene.random.Between(0, w), scene.random.Between(0, h),
                scene.random.Between(1, 3), twinkle);
}

void DrawRings(Scene& scene)
{
    const std::uint8_t first = BandColours(scene);
    const int w = scene.Width();
    const int h = scene.Height();
    const int cx = scene.random.Between(0, w);
    const int cy = scene.random.Between(0, h);
    const int width = scene.random.Between(4, 7);
    const int wobble = scene.random.Between(0, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int squared = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            // A triangle wave across the rows bends the rings into waves.
            const int bend = wobble * std::abs((y + x / 2) % 16 - 8) / 4;
            const int distance = static_cast<int>(std::sqrt(static_cast<double>(squared)));
            scene.canvas.Set(x, y, Band((distance + bend) / width, first, kBandColours));
        }
}

void DrawStripes(Scene& scene)
{
    const std::uint8_t first = BandColours(scene);
    const int w = scene.Width();
    const int h = scene.Height();
    const int slope = scene.random.Between(-2, 2);
    const int width = scene.random.Between(5, 9);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int bend = std::abs(y % 24 - 12) / 3;
            scene.canvas.Set(x, y,
                             Band((x + y * slope / 2 + bend + 64) / width, first, kBandColours));
        }
    // Neon lines across.
    const std::uint8_t neon = scene.palette.Add(kWhite);
    const std::uint8_t edge = scene.palette.Add(scene.colours.accent);
    for (int i = scene.random.Between(2, 4); i > 0; --i) {
        const int y0 = scene.random.Between(0, h);
        const int y1 = scene.random.Between(0, h);
        scene.canvas.DrawLine(0, y0, w, y1, 3, edge);
        scene.canvas.DrawLine(0, y0, w, y1, 1, neon);
    }
}

void DrawMosaic(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    // Eight kinds of pane: the background's ramp and the lights' after it.
    const std::uint8_t glass = scene.palette.Ramp(c.top, c.bottom, 5);
    scene.palette.Ramp(c.glow, c.accent, 3);
    const std::uint8_t lead = scene.palette.Add(Mix(c.top, kBlack, 10));
    const int cell = scene.random.Between(12, 18);
    // Each cell split along one diagonal into two panes.
    for (int y = 0; y < h; y += cell)
        for (int x = 0; x < w; x += cell) {
            const auto a = static_cast<std::uint8_t>(glass + scene.random.Below(8));
            const auto b = static_cast<std::uint8_t>(glass + scene.random.Below(8));
            const bool rising = scene.random.Percent(50);
            scene.canvas.FillRect(x, y, cell, cell, a);
            if (rising)
                scene.canvas.FillPolygon({{x + cell, y}, {x + cell, y + cell}, {x, y + cell}}, b);
            else
                scene.canvas.FillPolygon({{x, y}, {x + cell, y + cell}, {x, y + cell}}, b);
            scene.canvas.FrameRect(x, y, cell + 1, cell + 1, lead);
            if (rising)
                scene.canvas.DrawLine(x + cell, y, x, y + cell, 1, lead);
            else
                scene.canvas.DrawLine(x, y, x + cell, y + cell, 1, lead);
        }
    // A round window in the middle.
    const int radius = w / 4;
    scene.canvas.FillCircle(w / 2, h / 2, radius + 2, lead);
    ShadedBall(scene.canvas, w / 2, h / 2, radius, static_cast<std::uint8_t>(glass + 5), 3);
    DrawShape(scene.canvas, PickShape(scene.random), w / 2 - radius / 2, h / 2 - radius / 2, radius,
              lead, glass);
}

void DrawRays(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const std::uint8_t light = scene.palette.Add(c.glow);
    const std::uint8_t dark = scene.palette.Add(Mix(c.top, c.glow, 5));
    scene.canvas.FillRect(0, 0, w, h, dark);
    const int cx = w / 2 + scene.random.Between(-w / 4, w / 4);
    const int cy = h / 2 + scene.random.Between(-h / 4, h / 4);
    const int reach = w + h;
    const int rays = scene.random.Percent(50) ? 12 : 20;
    const int turn = scene.random.Between(0, 5);
    for (int ray = 0; ray < rays; ray += 2) {
        const auto a = OnCircle(cx, cy, reach, turn + ray * 60 / rays);
        const auto b = OnCircle(cx, cy, reach, turn + (ray + 1) * 60 / rays);
        scene.canvas.FillPolygon({{cx, cy}, a, b}, light);
    }
    const std::uint8_t halo = scene.palette.Ramp(kWhite, Mix(c.accent, c.glow, 8), 4);
    scene.canvas.FillGlow(cx, cy, w / 3, halo, 4);
    const std::uint8_t paper = scene.palette.Add(c.accent);
    const int size = w / 4;
    DrawShape(scene.canvas, PickShape(scene.random), cx - size / 2, cy - size / 2, size,
              scene.palette.Add(Mix(c.top, kBlack, 4)), paper);
}

void DrawBubbles(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    scene.Background(h, 12);
    const std::uint8_t balls[3] = {scene.palette.Ramp(kWhite, c.glow, 4),
                                   scene.palette.Ramp(kWhite, c.accent, 4),
                                   scene.palette.Ramp(Mix(kWhite, c.bottom, 8), c.top, 4)};
    const std::uint8_t rim = scene.palette.Add(Mix(c.bottom, kWhite, 10));
    for (int i = scene.random.Between(10, 16); i > 0; --i) {
        const int radius = scene.random.Between(4, w / 6);
        const int x = scene.random.Between(0, w);
        const int y = scene.random.Between(0, h);
        if (scene.random.Percent(60)) {
            ShadedBall(scene.canvas, x, y, radius, balls[scene.random.Below(3)], 4);
        } else {  // a soap bubble: a rim and a shine
            scene.canvas.DrawCircle(x, y, radius, rim);
            scene.canvas.FillEllipse(x - radius / 2, y - radius / 2, radius / 4 + 1, radius / 6 + 1,
                                     rim);
        }
    }
}
