#include "tools/catgen/SceneKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct NamedScheme
{
    SceneScheme bit;
    SceneColours colours;
};

constexpr NamedScheme kSchemes[] = {
    {kDusk, {{28, 20, 72}, {250, 150, 96}, {40, 30, 70}, {255, 222, 130}, {255, 120, 150}}},
    {kDay, {{36, 104, 206}, {176, 222, 255}, {58, 140, 70}, {255, 244, 160}, {255, 255, 255}}},
    {kNight, {{4, 6, 26}, {38, 52, 124}, {14, 16, 38}, {252, 242, 200}, {120, 170, 255}}},
    {kSunset, {{86, 28, 108}, {255, 176, 64}, {58, 20, 48}, {255, 234, 120}, {255, 92, 84}}},
    {kMint, {{16, 86, 108}, {184, 242, 214}, {28, 108, 88}, {255, 250, 200}, {110, 255, 214}}},
    {kRose, {{116, 18, 78}, {255, 174, 196}, {86, 18, 58}, {255, 232, 242}, {255, 84, 138}}},
    {kGold, {{104, 56, 10}, {255, 222, 112}, {76, 38, 10}, {255, 250, 214}, {255, 168, 36}}},
    {kIce, {{28, 66, 128}, {226, 240, 255}, {196, 218, 240}, {255, 255, 255}, {150, 204, 255}}},
    {kViolet, {{28, 10, 68}, {204, 124, 232}, {40, 18, 80}, {255, 222, 255}, {136, 240, 255}}},
};

struct SchemeWord
{
    std::string_view word;
    SceneScheme scheme;
};

constexpr SchemeWord kSchemeWords[] = {
    {"Golden", kGold},  {"Sunny", kGold},    {"Gold", kGold},     {"Frozen", kIce},
    {"Silver", kIce},   {"Misty", kIce},     {"Winter", kIce},    {"Dark", kNight},
    {"Night", kNight},  {"Purple", kViolet}, {"Dreamy", kViolet}, {"Magic", kViolet},
    {"Fiery", kSunset}, {"Calm", kMint},     {"Blue", kDay},      {"Summer", kDay},
};

// Sine of k sixtieths of a turn for k = 0..15, in thousandths.
constexpr int kSine[16] = {0,   105, 208, 309, 407, 500, 588, 669,
                           743, 809, 866, 914, 951, 978, 995, 1000};

int Sine(int sixtieth)
{
    sixtieth = ((sixtieth % 60) + 60) % 60;
    if (sixtieth <= 15)
        return kSine[sixtieth];
    if (sixtieth <= 30)
        return kSine[30 - sixtieth];
    if (sixtieth <= 45)
        return -kSine[sixtieth - 30];
    return -kSine[60 - sixtieth];
}

} // namespace

SceneColours PickColours(CatgenRandom& random, std::string_view name, unsigned schemes)
{
    for (const SchemeWord& word : kSchemeWords)
        if ((schemes & word.scheme) && name.find(word.word) != std::string_view::npos)
            for (const NamedScheme& scheme : kSchemes)
                if (scheme.bit == word.scheme)
                    return scheme.colours;
    std::vector<const SceneColours*> fitting;
    for (const NamedScheme& scheme : kSchemes)
        if (schemes & scheme.bit)
            fitting.push_back(&scheme.colours);
    return fitting.empty() ? kSchemes[0].colours : *random.Pick(fitting);
}

void Scene::Background(int height, int steps)
{
    canvas.FillRamp(0, 0, Width(), height, palette.Ramp(colours.top, colours.bottom, steps), steps);
}

std::pair<int, int> OnCircle(int cx, int cy, int radius, int sixtieth)
{
    return {cx + radius * Sine(sixtieth) / 1000, cy - radius * Sine(sixtieth + 15) / 1000};
}

void ShadedBall(PixelCanvas& canvas, int cx, int cy, int radius, std::uint8_t first, int count)
{
    const int lx = cx - radius / 2;
    const int ly = cy - radius / 2;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy > radius * radius + radius / 2)
                continue;
            const int x = cx + dx;
            const int y = cy + dy;
            const int squared = (x - lx) * (x - lx) + (y - ly) * (y - ly);
            // The distance from the light, 16ths of a pixel; at most 1.6 radii.
            const int distance = static_cast<int>(std::sqrt(256.0 * squared));
            const int place = distance * count * 10 / (16 * std::max(1, radius));
            const int dither = (x + 2 * y) % 3 == 0 ? 8 : 0;
            const int step = std::min(count - 1, (place + dither) / 16);
            canvas.Set(x, y, static_cast<std::uint8_t>(first + step));
        }
}

void Sparkle(PixelCanvas& canvas, int x, int y, int arm, std::uint8_t colour)
{
    canvas.FillRect(x - arm, y, 2 * arm + 1, 1, colour);
    canvas.FillRect(x, y - arm, 1, 2 * arm + 1, colour);
    if (arm >= 3) {
        canvas.Set(x - 1, y - 1, colour);
        canvas.Set(x + 1, y - 1, colour);
        canvas.Set(x - 1, y + 1, colour);
        canvas.Set(x + 1, y + 1, colour);
    }
}

void Ridge(Scene& scene, int baseY, int amplitude, std::uint8_t colour, int snow)
{
    std::vector<std::pair<int, int>> points = {{-4, scene.Height()}};
    bool peak = scene.random.Percent(50);
    for (int x = -4; x < scene.Width() + 16; x += scene.random.Between(10, 22)) {
        const int y = peak ? baseY - scene.random.Between(amplitude / 2, amplitude)
                           : baseY - scene.random.Between(0, amplitude / 3);
        points.emplace_back(x, y);
        peak = !peak;
    }
    points.emplace_back(scene.Width() + 16, scene.Height());
    scene.canvas.FillPolygon(points, colour);
    if (snow < 0)
        return;
    // A cap a third of the way down both slopes of every peak that stands out.
    for (std::size_t i = 2; i + 2 < points.size(); ++i) {
        const auto [px, py] = points[i];
        const auto [lx, ly] = points[i - 1];
        const auto [rx, ry] = points[i + 1];
        if (py >= ly || py >= ry || baseY - py < amplitude * 2 / 3)
            continue;
        const std::pair<int, int> left = {px + (lx - px) / 3, py + (ly - py) / 3};
        const std::pair<int, int> right = {px + (rx - px) / 3, py + (ry - py) / 3};
        const std::pair<int, int> notch = {px + (rx - lx) / 12,
                                           (left.second + right.second) / 2 - 2};
        scene.canvas.FillPolygon({{px, py}, right, notch, left}, static_cast<std::uint8_t>(snow));
    }
}

void Skyline(Scene& scene, int baseY, int maxHeight, std::uint8_t colour, int lit)
{
    for (int x = -scene.random.Between(0, 8); x < scene.Width();) {
        const int width = scene.random.Between(9, 20);
        const int height = scene.random.Between(maxHeight / 3, maxHeight);
        const int top = baseY - height;
        scene.canvas.FillRect(x, top, width - 1, height + 1, colour);
        const auto roof = scene.random.Below(5);
        if (roof == 0)  // a spire
            scene.canvas.FillRect(x + width / 2 - 1, top - height / 4, 1, height / 4, colour);
        else if (roof == 1)  // a gable
            scene.canvas.FillPolygon(
                {{x, top}, {x + (width - 1) / 2, top - 6}, {x + width - 1, top}}, colour);
        if (lit >= 0)
            for (int wy = top + 3; wy + 3 < baseY; wy += 5)
                for (int wx = x + 2; wx + 3 < x + width; wx += 4)
                    if (scene.random.Percent(30))
                        scene.canvas.FillRect(wx, wy, 2, 2, static_cast<std::uint8_t>(lit));
        x += width;
    }
}

void ScatterStars(Scene& scene, int stars, int bottom, std::uint8_t first, int count)
{
    for (int i = 0; i < stars; ++i) {
        const int x = scene.random.Between(0, scene.Width() - 1);
        const int y = scene.random.Between(0, std::max(0, bottom - 1));
        const auto shade = static_cast<std::uint8_t>(first + scene.random.Between(0, count - 1));
        if (i % 12 == 0)
            Sparkle(scene.canvas, x, y, scene.random.Between(1, 3), first);
        else
            scene.canvas.Set(x, y, shade);
    }
}
