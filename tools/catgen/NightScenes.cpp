#include "tools/catgen/NightScenes.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A black sky turning to the scheme's top colour towards the bottom.
void NightSky(Scene& scene, int height)
{
    const std::uint8_t sky =
        scene.palette.Ramp({2, 2, 10}, Mix(scene.colours.top, scene.colours.bottom, 3), 8);
    scene.canvas.FillRamp(0, 0, scene.Width(), height, sky, 8);
}

std::uint8_t StarColours(Scene& scene)
{
    return scene.palette.Ramp(kWhite, Mix(kWhite, scene.colours.top, 10), 3);
}

} // namespace

void DrawSpace(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    NightSky(scene, h);
    // Clouds of gas, each fading into the dark.
    for (const GifColour gas : {c.glow, c.accent}) {
        const std::uint8_t cloud = scene.palette.Ramp(Mix(gas, c.top, 7), Mix(c.top, gas, 3), 4);
        scene.canvas.FillGlow(scene.random.Between(0, w), scene.random.Between(0, h),
                              scene.random.Between(w / 4, w / 2), cloud, 4);
    }
    ScatterStars(scene, w * h / 120, h, StarColours(scene), 3);

    // A planet, lit from the upper left, maybe with a ring.
    const int radius = scene.random.Between(w / 8, w / 5);
    const int px = scene.random.Between(radius, w - radius);
    const int py = scene.random.Between(h / 3, h - radius);
    const std::uint8_t surface =
        scene.palette.Ramp(Mix(c.glow, kWhite, 6), Mix(c.land, kBlack, 6), 6);
    ShadedBall(scene.canvas, px, py, radius, surface, 6);
    if (scene.random.Percent(60)) {
        const std::uint8_t ring = scene.palette.Add(Mix(c.accent, c.glow, 5));
        const int rx = radius * 9 / 5;
        const int ry = radius * 2 / 5 + 1;
        for (int dy = -ry; dy <= ry; ++dy)
            for (int dx = -rx; dx <= rx; ++dx) {
                const int outer = dx * dx * ry * ry + dy * dy * rx * rx;
                const int innerRx = rx - 4;
                const int innerRy = std::max(1, ry - 2);
                const bool onRing = outer <= rx * rx * ry * ry &&
                                    dx * dx * innerRy * innerRy + dy * dy * innerRx * innerRx >
                                        innerRx * innerRx * innerRy * innerRy;
                const bool hidden = dy < 0 && dx * dx + dy * dy < radius * radius;
                if (onRing && !hidden)
                    scene.canvas.Set(px + dx, py + dy, ring);
            }
    }
    // A small moon and a comet.
    const std::uint8_t moon = scene.palette.Ramp({230, 230, 230}, {90, 90, 100}, 3);
    ShadedBall(scene.canvas, scene.random.Between(4, w - 4), scene.random.Between(4, h / 3),
               scene.random.Between(3, 6), moon, 3);
    if (scene.random.Percent(50)) {
        const int x = scene.random.Between(w / 4, w);
        const int y = scene.random.Between(0, h / 3);
        const int length = scene.random.Between(w / 4, w / 2);
        const std::uint8_t tail = scene.palette.Ramp(kWhite, Mix(c.glow, c.top, 8), 3);
        for (int k = 2; k >= 0; --k)
            scene.canvas.DrawLine(x, y, x - length * (k + 1) / 3, y + length * (k + 1) / 6,
                                  k == 0 ? 2 : 1, static_cast<std::uint8_t>(tail + k));
        Sparkle(scene.canvas, x, y, 2, tail);
    }
}

void DrawStarField(Scene& scene)
{
    const int w = scene.Width();
    const int h = scene.Height();
    NightSky(scene, h);
    const int cx = w / 2 + scene.random.Between(-w / 6, w / 6);
    const int cy = h / 2 + scene.random.Between(-h / 6, h / 6);
    const std::uint8_t core = scene.palette.Ramp(Mix(scene.colours.glow, kWhite, 6),
                                                 Mix(scene.colours.top, kBlack, 4), 4);
    scene.canvas.FillGlow(cx, cy, w / 4, core, 4);
    // Stars rushing past: the nearer, the longer and brighter.
    const std::uint8_t streak = scene.palette.Ramp(kWhite, Mix(scene.colours.glow, kBlack, 8), 4);
    for (int i = 0; i < w; ++i) {
        const int turn = scene.random.Between(0, 59);
        const int from = scene.random.Between(4, w / 2 + h / 4);
        const int length = from / 4 + 1;
        const auto [x0, y0] = OnCircle(cx, cy, from, turn);
        const auto [x1, y1] = OnCircle(cx, cy, from + length, turn);
        const int shade = std::max(0, 3 - from * 4 / (w / 2 + h / 4 + 1));
        scene.canvas.DrawLine(x0, y0, x1, y1, from > w / 2 ? 2 : 1,
                              static_cast<std::uint8_t>(streak + shade));
    }
}

void DrawFireworks(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    NightSky(scene, h);
    const GifColour sparks[] = {c.glow,          c.accent,       {255, 90, 90},
                                {120, 255, 140}, {255, 220, 90}, {150, 180, 255}};
    for (int burst = scene.random.Between(3, 5); burst > 0; --burst) {
        const GifColour spark = sparks[scene.random.Below(6)];
        const std::uint8_t trail = scene.palette.Add(Mix(spark, c.top, 6));
        const std::uint8_t line = scene.palette.Add(spark);
        const std::uint8_t tip = scene.palette.Add(Mix(spark, kWhite, 9));
        const int x = scene.random.Between(w / 6, w * 5 / 6);
        const int y = scene.random.Between(h / 8, h * 3 / 5);
        const int radius = scene.random.Between(w / 9, w / 4);
        const int step = scene.random.Percent(50) ? 4 : 5;
        const int turn = scene.random.Between(0, step - 1);
        for (int ray = turn; ray < 60 + turn; ray += step) {
            const auto [ix, iy] = OnCircle(x, y, radius / 3, ray);
            const auto [ox, oy] = OnCircle(x, y, radius, ray);
            scene.canvas.DrawLine(ix, iy, ox, oy, 1, line);
            scene.canvas.FillRect(ox - 1, oy, 2, 2, tip);
            const auto [fx, fy] = OnCircle(x, y, radius * 4 / 3, ray);
            scene.canvas.Set(fx, fy + 2, trail);
        }
        Sparkle(scene.canvas, x, y, 2, tip);
        if (burst == 1)  // the rocket's way up
            for (int k = y + radius + 4; k < h; k += 3)
                scene.canvas.Set(x + (k - y) / 12, k, trail);
    }
    Skyline(scene, h, h / 4, scene.palette.Add(Mix(c.top, kBlack, 10)),
            scene.palette.Add(Mix(c.accent, kBlack, 4)));
}

void DrawCampfire(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    NightSky(scene, h);
    const int cx = w / 2;
    const int ground = h * 7 / 8;
    const std::uint8_t warmth = scene.palette.Ramp({150, 60, 20}, Mix({80, 24, 10}, c.top, 8), 4);
    scene.canvas.FillGlow(cx, ground - h / 6, h / 2, warmth, 4);
    ScatterStars(scene, w / 2, h / 3, StarColours(scene), 3);
    scene.canvas.FillRect(0, ground, w, h - ground, scene.palette.Add(Mix(c.land, kBlack, 8)));

    // Tongues of flame, each layer smaller and hotter.
    const GifColour flames[] = {{220, 40, 20}, {255, 130, 20}, {255, 220, 80}, {255, 250, 210}};
    for (int layer = 0; layer < 4; ++layer) {
        const std::uint8_t flame = scene.palette.Add(flames[layer]);
        const int half = w * (5 - layer) / 22;
        const int tall = h * (5 - layer) / 10;
        std::vector<std::pair<int, int>> points = {{cx - half, ground}};
        const int tongues = 5 - layer / 2;
        for (int t = 0; t < tongues; ++t) {
            const int x = cx - half + (2 * t + 1) * half / tongues;
            const int middle = tongues / 2;
            const int height = tall * (tongues - std::abs(t - middle)) / tongues;
            points.emplace_back(x - half / (2 * tongues), ground - height / 3);
            points.emplace_back(x + scene.random.Between(-2, 2),
                                ground - height + scene.random.Between(-h / 20, 0));
        }
        points.emplace_back(cx + half, ground - tall / 6);
        points.emplace_back(cx + half, ground);
        scene.canvas.FillPolygon(points, flame);
    }
    const std::uint8_t wood = scene.palette.Add({110, 60, 30});
    scene.canvas.DrawLine(cx - w / 4, ground + 3, cx + w / 5, ground - 4, 5, wood);
    scene.canvas.DrawLine(cx + w / 4, ground + 3, cx - w / 5, ground - 4, 5, wood);
    const std::uint8_t spark = scene.palette.Add({255, 190, 60});
    for (int i = scene.random.Between(10, 20); i > 0; --i)
        scene.canvas.Set(cx + scene.random.Between(-w / 4, w / 4),
                         scene.random.Between(h / 6, ground - h / 3), spark);
}
