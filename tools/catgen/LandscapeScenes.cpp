#include "tools/catgen/LandscapeScenes.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A fir: three tiers of branches on a short trunk, its foot at (x, y).
void Fir(PixelCanvas& canvas, int x, int y, int height, std::uint8_t colour, int snow)
{
    canvas.FillRect(x - 1, y - height / 6, 2, height / 6 + 1, colour);
    for (int tier = 0; tier < 3; ++tier) {
        const int bottom = y - height / 6 - tier * height / 4;
        const int half = height * (3 - tier) / 10 + 1;
        const int top = bottom - height * 2 / 5;
        canvas.FillPolygon({{x - half, bottom}, {x, top}, {x + half, bottom}}, colour);
        if (snow >= 0)
            canvas.FillPolygon(
                {{x - half / 2, (top + bottom) / 2}, {x, top}, {x + half / 2, (top + bottom) / 2}},
                static_cast<std::uint8_t>(snow));
    }
}

// The sun or moon with its halo fading into the sky.
void SkyLight(Scene& scene, int x, int y, int radius)
{
    const SceneColours& c = scene.colours;
    const std::uint8_t halo =
        scene.palette.Ramp(Mix(c.accent, c.bottom, 6), Mix(c.bottom, c.accent, 3), 4);
    scene.canvas.FillGlow(x, y, radius * 3, halo, 4);
    scene.canvas.FillCircle(x, y, radius, scene.palette.Add(c.accent));
}

// A palm rising from the bottom edge at x = foot, its crown `lean` pixels
// to the side: a bent trunk and fronds that arch out and droop, their
// leaflets hanging from them.
void Palm(Scene& scene, int foot, int lean, std::uint8_t colour)
{
    const int h = scene.Height();
    int tx = foot;
    int ty = h;
    for (int k = 1; k <= 8; ++k) {
        const int nx = foot + lean * k * k / 64;
        const int ny = h - h * 11 * k / (20 * 8);
        scene.canvas.DrawLine(tx, ty, nx, ny, k < 5 ? 4 : 3, colour);
        tx = nx;
        ty = ny;
    }
    constexpr int kSteps = 8;
    for (int frond = -3; frond <= 3; ++frond) {
        const int spread = std::abs(frond);
        const int side = frond < 0 || (frond == 0 && lean < 0) ? -1 : 1;
        const int reach =
            side * (scene.Width() / 14 + spread * scene.Width() / 12 + scene.random.Between(-2, 2));
        const int rise = 12 - spread * 3;  // how high the frond arches
        const int fall = spread * 6 - 2;   // where its tip ends, below the crown
        int x = tx;
        int y = ty;
        for (int k = 1; k <= kSteps; ++k) {
            const int nx = tx + reach * k / kSteps;
            const int ny = ty + (fall * k * k - 4 * rise * k * (kSteps - k)) / (kSteps * kSteps);
            scene.canvas.DrawLine(x, y, nx, ny, k < 4 ? 2 : 1, colour);
            if (k < kSteps) {
                const int leaflet = 3 + std::min(k, kSteps - k);
                scene.canvas.DrawLine(nx, ny, nx + side * 2, ny + leaflet, 1, colour);
                scene.canvas.DrawLine(nx, ny, nx - side, ny + leaflet - 1, 1, colour);
            }
            x = nx;
            y = ny;
        }
    }
}

} // namespace

void DrawMountains(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const int horizon = h * 5 / 8;
    scene.Background(horizon + 2, 12);
    SkyLight(scene, scene.random.Between(w / 5, w * 4 / 5),
             scene.random.Between(h / 8, horizon / 2), 7);

    const int snow = scene.random.Percent(60) ? scene.palette.Add(Mix(kWhite, c.bottom, 3)) : -1;
    Ridge(scene, horizon - h / 8, h / 4, scene.palette.Add(Mix(c.bottom, c.land, 6)), snow);
    Ridge(scene, horizon, h / 6, scene.palette.Add(Mix(c.bottom, c.land, 11)));
    Ridge(scene, horizon + h / 10, h / 12, scene.palette.Add(c.land));

    // A lake in front, the firs on its shore and the light mirrored in it.
    const int shore = h * 13 / 16;
    const std::uint8_t water =
        scene.palette.Ramp(Mix(c.bottom, c.land, 5), Mix(c.top, c.land, 8), 5);
    scene.canvas.FillRamp(0, shore, w, h - shore, water, 5);
    const std::uint8_t glint = scene.palette.Add(Mix(c.accent, c.bottom, 5));
    for (int y = shore + 3; y < h; y += 4) {
        const int half = scene.random.Between(3, 12);
        const int x = scene.random.Between(w / 6, w * 5 / 6);
        scene.canvas.FillRect(x - half, y, 2 * half, 1, glint);
    }
    const std::uint8_t fir = scene.palette.Add(Mix(c.land, kBlack, 8));
    for (int x = scene.random.Between(-4, 8); x < w + 4; x += scene.random.Between(6, 20))
        Fir(scene.canvas, x, shore + 1, scene.random.Between(h / 12, h / 6), fir, -1);
}

void DrawBeach(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const int horizon = h * 5 / 8;
    scene.Background(horizon, 14);

    // A big sun going down, cut by bars that widen towards the sea.
    const int radius = w / 4 + scene.random.Between(0, w / 12);
    const int cx = w / 2 + scene.random.Between(-w / 8, w / 8);
    const int cy = horizon - radius / 3;
    const std::uint8_t sun = scene.palette.Ramp(c.accent, c.glow, 6);
    for (int y = cy - radius; y < horizon; ++y) {
        const int below = y - (cy - radius / 3);
        if (below > 0 && below % 7 < below / 10 + 1)
            continue;
        for (int x = cx - radius; x <= cx + radius; ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                scene.canvas.Set(
                    x, y, static_cast<std::uint8_t>(sun + (y - cy + radius) * 5 / (2 * radius)));
    }

    const std::uint8_t sea = scene.palette.Ramp(Mix(c.bottom, c.top, 9), Mix(c.top, kBlack, 8), 8);
    scene.canvas.FillRamp(0, horizon, w, h - horizon, sea, 8);
    for (int y = horizon + 2, k = 0; y < h; y += 3, ++k) {
        const int half = std::max(2, radius - k * 2 + scene.random.Between(-3, 3));
        scene.canvas.FillRect(cx - half + scene.random.Between(-2, 2), y, 2 * half, 1,
                              static_cast<std::uint8_t>(sun + std::min(5, 1 + k / 3)));
    }

    // A palm leaning over the water, and gulls.
    const std::uint8_t shade = scene.palette.Add(Mix(c.top, kBlack, 10));
    const bool left = scene.random.Percent(50);
    Palm(scene, left ? w / 8 : w * 7 / 8, (left ? 1 : -1) * scene.random.Between(w / 8, w / 5),
         shade);
    for (int bird = scene.random.Between(2, 4); bird > 0; --bird) {
        const int bx = scene.random.Between(8, w - 8);
        const int by = scene.random.Between(h / 10, horizon / 2);
        scene.canvas.DrawLine(bx - 3, by - 2, bx, by, 1, shade);
        scene.canvas.DrawLine(bx, by, bx + 3, by - 2, 1, shade);
    }
}

void DrawCity(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const int street = h * 4 / 5;
    scene.Background(street, 12);
    const std::uint8_t moon = scene.palette.Ramp(c.accent, Mix(c.accent, c.top, 7), 3);
    ShadedBall(scene.canvas, scene.random.Between(w / 6, w * 5 / 6),
               scene.random.Between(h / 10, h / 4), scene.random.Between(6, 10), moon, 3);

    Skyline(scene, street, h / 2, scene.palette.Add(Mix(c.bottom, c.top, 10)));
    Skyline(scene, street + 2, h / 3, scene.palette.Add(Mix(c.top, kBlack, 9)),
            scene.palette.Add(Mix(c.accent, c.glow, 4)));

    // The river in front with the lights mirrored in it.
    const std::uint8_t river = scene.palette.Ramp(Mix(c.top, kBlack, 6), Mix(c.top, kBlack, 12), 4);
    scene.canvas.FillRamp(0, street + 2, w, h - street - 2, river, 4);
    const std::uint8_t mirror = scene.palette.Add(Mix(c.accent, c.top, 8));
    for (int i = 0; i < w / 3; ++i)
        scene.canvas.FillRect(scene.random.Between(0, w - 1),
                              scene.random.Between(street + 4, h - 1), scene.random.Between(2, 6),
                              1, mirror);
}

void DrawFlowers(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const int field = h * 11 / 20;
    scene.Background(field, 10);
    const std::uint8_t hill = scene.palette.Add(Mix(c.land, c.bottom, 6));
    scene.canvas.FillEllipse(scene.random.Between(0, w), field + 4, w * 2 / 3, h / 8, hill);
    const std::uint8_t grass =
        scene.palette.Ramp(Mix(c.land, kWhite, 4), Mix(c.land, kBlack, 6), 6);
    scene.canvas.FillRamp(0, field, w, h - field, grass, 6);

    const std::uint8_t stem = scene.palette.Add(Mix(c.land, kBlack, 8));
    const std::uint8_t petals[3] = {scene.palette.Add(c.glow), scene.palette.Add(c.accent),
                                    scene.palette.Add(Mix(c.glow, c.top, 6))};
    const std::uint8_t heart = scene.palette.Add({250, 200, 40});
    const std::uint8_t seed = scene.palette.Add({120, 70, 30});
    // Far flowers first, so that near ones overlap them.
    const int count = scene.random.Between(9, 14);
    for (int i = 0; i < count; ++i) {
        const int y = field + 6 + (h - field - 10) * i / count + scene.random.Between(-2, 2);
        const int x = scene.random.Between(6, w - 6);
        const int size = 2 + (y - field) / 9;
        scene.canvas.DrawLine(x, y, x + scene.random.Between(-2, 2), h, size > 4 ? 2 : 1, stem);
        const std::uint8_t petal = petals[scene.random.Below(3)];
        const int turn = scene.random.Between(0, 11);
        for (int p = 0; p < 5; ++p) {
            const auto [px, py] = OnCircle(x, y, size, turn + p * 12);
            scene.canvas.FillCircle(px, py, size * 2 / 3 + 1, petal);
        }
        scene.canvas.FillCircle(x, y, std::max(1, size / 2), size > 5 ? seed : heart);
    }
    // Butterflies.
    for (int b = scene.random.Between(1, 3); b > 0; --b) {
        const int bx = scene.random.Between(10, w - 10);
        const int by = scene.random.Between(h / 8, field);
        const std::uint8_t wing = petals[scene.random.Below(3)];
        scene.canvas.FillEllipse(bx - 3, by - 2, 3, 2, wing);
        scene.canvas.FillEllipse(bx + 3, by - 2, 3, 2, wing);
        scene.canvas.FillEllipse(bx - 2, by + 2, 2, 2, wing);
        scene.canvas.FillEllipse(bx + 2, by + 2, 2, 2, wing);
        scene.canvas.FillRect(bx, by - 3, 1, 7, stem);
    }
}

void DrawSnow(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    scene.Background(h * 3 / 4, 10);
    const std::uint8_t moon = scene.palette.Ramp(kWhite, Mix(kWhite, c.top, 6), 3);
    ShadedBall(scene.canvas, scene.random.Between(w / 6, w * 5 / 6),
               scene.random.Between(h / 10, h / 4), 8, moon, 3);

    const std::uint8_t farHill = scene.palette.Add(Mix(c.bottom, kWhite, 8));
    const std::uint8_t nearHill = scene.palette.Ramp({250, 252, 255}, Mix(kWhite, c.top, 4), 3);
    scene.canvas.FillEllipse(scene.random.Between(0, w / 3), h * 3 / 4, w * 2 / 3, h / 6, farHill);
    scene.canvas.FillEllipse(scene.random.Between(w * 2 / 3, w), h * 3 / 4 + 4, w * 2 / 3, h / 7,
                             farHill);
    scene.canvas.FillRamp(0, h * 3 / 4 + 4, w, h / 4, nearHill, 3);
    scene.canvas.FillEllipse(scene.random.Between(w / 4, w * 3 / 4), h * 3 / 4 + 2, w / 2, h / 14,
                             nearHill);

    const std::uint8_t fir = scene.palette.Add(Mix({20, 80, 50}, c.top, 5));
    const std::uint8_t snow = scene.palette.Add(kWhite);
    for (int i = scene.random.Between(3, 6); i > 0; --i)
        Fir(scene.canvas, scene.random.Between(4, w - 4),
            h * 3 / 4 + scene.random.Between(0, h / 8), scene.random.Between(h / 7, h / 4), fir,
            snow);

    // Falling snow: flakes, bigger ones with arms.
    for (int i = 0; i < w * h / 160; ++i) {
        const int x = scene.random.Between(0, w - 1);
        const int y = scene.random.Between(0, h - 1);
        if (i % 8 == 0) {
            Sparkle(scene.canvas, x, y, 2, snow);
            scene.canvas.Set(x - 2, y - 2, snow);
            scene.canvas.Set(x + 2, y + 2, snow);
            scene.canvas.Set(x - 2, y + 2, snow);
            scene.canvas.Set(x + 2, y - 2, snow);
        } else {
            scene.canvas.FillRect(x, y, 1 + i % 2, 1 + i % 2, snow);
        }
    }
}

void DrawUnderwater(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    const std::uint8_t sea = scene.palette.Ramp(Mix(c.glow, {40, 200, 230}, 8), {8, 30, 80}, 12);
    scene.canvas.FillRamp(0, 0, w, h, sea, 12);
    // Light from above.
    scene.canvas.FillGlow(w / 2 + scene.random.Between(-w / 4, w / 4), -h / 8, h / 2, sea, 3);

    // Sand, weed and coral along the bottom.
    const int floor = h * 7 / 8;
    const std::uint8_t sand = scene.palette.Ramp({236, 214, 160}, {176, 146, 96}, 3);
    std::vector<std::pair<int, int>> dune = {{-2, h}};
    for (int x = -2; x <= w + 8; x += 8)
        dune.emplace_back(x, floor + scene.random.Between(-3, 3));
    dune.emplace_back(w + 8, h);
    scene.canvas.FillPolygon(dune, static_cast<std::uint8_t>(sand + 2));
    scene.canvas.FillRamp(0, floor + 3, w, h - floor - 3, sand, 3);
    const std::uint8_t weed = scene.palette.Add({40, 150, 80});
    for (int i = scene.random.Between(3, 6); i > 0; --i) {
        int x = scene.random.Between(2, w - 2);
        int y = h;
        const int tall = scene.random.Between(h / 5, h / 2);
        for (int k = 0; y > h - tall; ++k) {
            const int nx = x + (k % 2 == 0 ? 3 : -3);
            scene.canvas.DrawLine(x, y, nx, y - 6, 2, weed);
            x = nx;
            y -= 6;
        }
    }
    const std::uint8_t coral = scene.palette.Add(Mix({255, 110, 120}, c.glow, 3));
    for (int i = scene.random.Between(1, 2); i > 0; --i) {
        const int x = scene.random.Between(8, w - 8);
        for (int branch = -2; branch <= 2; ++branch) {
            const int tipX = x + branch * 5 + scene.random.Between(-2, 2);
            const int tipY = h - h / 6 - scene.random.Between(0, h / 10) + std::abs(branch) * 4;
            scene.canvas.DrawLine(x, h - 2, tipX, tipY, 3, coral);
            scene.canvas.FillCircle(tipX, tipY, 2, coral);
        }
    }

    // Fish, some striped, facing either way.
    const GifColour scales[] = {{255, 140, 30}, {255, 220, 60}, {240, 70, 70}, {90, 220, 255}};
    const std::uint8_t eye = scene.palette.Add(kBlack);
    const std::uint8_t stripe = scene.palette.Add(kWhite);
    for (int i = scene.random.Between(3, 6); i > 0; --i) {
        const std::uint8_t body = scene.palette.Add(scales[scene.random.Below(4)]);
        const int x = scene.random.Between(12, w - 12);
        const int y = scene.random.Between(h / 8, floor - h / 8);
        const int length = scene.random.Between(6, 11);
        const int side = scene.random.Percent(50) ? 1 : -1;
        scene.canvas.FillPolygon({{x - side * length, y},
                                  {x - side * (length + 6), y - 5},
                                  {x - side * (length + 6), y + 5}},
                                 body);
        scene.canvas.FillEllipse(x, y, length, length / 2 + 1, body);
        if (scene.random.Percent(50))
            for (int band = -1; band <= 1; band += 2)
                scene.canvas.FillRect(x + band * length / 3, y - length / 2, 2, length, stripe);
        scene.canvas.FillCircle(x + side * length * 3 / 5, y - 1, 1, stripe);
        scene.canvas.Set(x + side * length * 3 / 5, y - 1, eye);
    }
    const std::uint8_t bubble = scene.palette.Add(Mix(kWhite, c.glow, 4));
    for (int i = scene.random.Between(8, 16); i > 0; --i)
        scene.canvas.DrawCircle(scene.random.Between(4, w - 4), scene.random.Between(4, floor),
                                scene.random.Between(1, 4), bubble);
}
