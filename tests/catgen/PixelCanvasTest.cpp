#include <functional>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "tools/catgen/PixelCanvas.h"

namespace {

struct DrawCase
{
    const char* name;
    std::function<void(PixelCanvas&, int dx, int dy)> draw;  // shifted by (dx, dy)
};

// Each draws with colours 1 to 3 around the middle of a 16 x 12 canvas.
const std::vector<DrawCase>& DrawCases()
{
    static const std::vector<DrawCase> cases = {
        {"DrawCircle", [](PixelCanvas& c, int dx, int dy) { c.DrawCircle(8 + dx, 6 + dy, 5, 1); }},
        {"FillEllipse",
         [](PixelCanvas& c, int dx, int dy) { c.FillEllipse(8 + dx, 6 + dy, 7, 4, 2); }},
        {"DrawLine",
         [](PixelCanvas& c, int dx, int dy) { c.DrawLine(-3 + dx, 4 + dy, 19 + dx, 8 + dy, 3, 3); }},
        {"FillRamp",
         [](PixelCanvas& c, int dx, int dy) { c.FillRamp(2 + dx, 1 + dy, 12, 10, 1, 3); }},
        {"FillGlow", [](PixelCanvas& c, int dx, int dy) { c.FillGlow(8 + dx, 6 + dy, 9, 1, 3); }},
    };
    return cases;
}

} // namespace

// Scenes draw past the edges all the time: what lies outside is dropped,
// what lies inside still drawn.
TEST(PixelCanvas, DrawingIsClippedToTheCanvas)
{
    const std::pair<int, int> outside[] = {{-40, 0}, {40, 0}, {0, -40}, {0, 40}, {-99, -99}};
    const std::pair<int, int> across[] = {{-10, -5}, {10, 5}, {-10, 5}, {10, -5}};
    for (const DrawCase& c : DrawCases()) {
        for (const auto& [dx, dy] : outside) {
            PixelCanvas canvas(16, 12, 0);
            c.draw(canvas, dx, dy);
            EXPECT_EQ(std::set<std::uint8_t>(canvas.Pixels().begin(), canvas.Pixels().end()),
                      std::set<std::uint8_t>{0})
                << c.name << " at " << dx << "," << dy;
        }
        for (const auto& [dx, dy] : across) {
            PixelCanvas canvas(16, 12, 0);
            c.draw(canvas, dx, dy);
            const std::set<std::uint8_t> used(canvas.Pixels().begin(), canvas.Pixels().end());
            EXPECT_GT(used.size(), 1u) << c.name << " at " << dx << "," << dy;
            EXPECT_LE(*used.rbegin(), 3) << c.name << " at " << dx << "," << dy;
        }
    }
}

// The dither must not cost a gradient its ends: skies run from the top
// colour to the horizon's.
TEST(PixelCanvas, RampRunsFromItsFirstColourToItsLastAndGlowFadesOut)
{
    PixelCanvas ramp(8, 9, 0);
    ramp.FillRamp(0, 0, 8, 9, 1, 3);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(ramp.At(x, 0), 1) << x;
        EXPECT_EQ(ramp.At(x, 4), 2) << x;
        EXPECT_EQ(ramp.At(x, 8), 3) << x;
    }

    PixelCanvas glow(21, 21, 0);
    glow.FillGlow(10, 10, 8, 1, 3);
    EXPECT_EQ(glow.At(10, 10), 1);
    EXPECT_EQ(glow.At(10, 1), 0);  // beyond the radius
    EXPECT_EQ(glow.At(18, 18), 0);
}
