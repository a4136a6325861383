#include "tools/catgen/ClockScenes.h"

#include <algorithm>
#include <string>

namespace {

std::string TwoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

} // namespace

void DrawAnalogClock(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    scene.Background(h, 10);
    const int cx = w / 2;
    const int cy = h / 2;
    const int radius = std::min(w, h) * 2 / 5;
    const std::uint8_t halo =
        scene.palette.Ramp(Mix(c.glow, c.bottom, 6), Mix(c.bottom, c.glow, 3), 4);
    scene.canvas.FillGlow(cx, cy, radius * 3 / 2, halo, 4);

    const std::uint8_t rim = scene.palette.Ramp(Mix(c.accent, c.glow, 6), Mix(c.top, kBlack, 6), 4);
    ShadedBall(scene.canvas, cx, cy, radius + 4, rim, 4);
    const std::uint8_t face = scene.palette.Ramp(kWhite, Mix(kWhite, c.bottom, 8), 4);
    ShadedBall(scene.canvas, cx, cy, radius, face, 4);

    const std::uint8_t ink = scene.palette.Add(Mix(c.top, kBlack, 8));
    for (int mark = 0; mark < 60; ++mark) {
        const auto [ox, oy] = OnCircle(cx, cy, radius - 2, mark);
        if (mark % 5 == 0) {
            const auto [ix, iy] = OnCircle(cx, cy, radius - 7, mark);
            scene.canvas.DrawLine(ix, iy, ox, oy, 2, ink);
        } else {
            scene.canvas.Set(ox, oy, ink);
        }
    }
    scene.canvas.DrawText(cx - 3, cy - radius + 10, "12", 1, ink);
    scene.canvas.DrawText(cx + radius - 13, cy - 2, "3", 1, ink);
    scene.canvas.DrawText(cx - 1, cy + radius - 14, "6", 1, ink);
    scene.canvas.DrawText(cx - radius + 10, cy - 2, "9", 1, ink);

    const int hour = scene.random.Between(0, 11);
    const int minute = scene.random.Between(0, 59);
    const int second = scene.random.Between(0, 59);
    const auto [hx, hy] = OnCircle(cx, cy, radius / 2, hour * 5 + minute / 12);
    const auto [mx, my] = OnCircle(cx, cy, radius * 4 / 5, minute);
    const auto [sx, sy] = OnCircle(cx, cy, radius * 17 / 20, second);
    scene.canvas.DrawLine(cx, cy, hx, hy, 4, ink);
    scene.canvas.DrawLine(cx, cy, mx, my, 2, ink);
    const std::uint8_t hand = scene.palette.Add({220, 40, 40});
    scene.canvas.DrawLine(cx, cy, sx, sy, 1, hand);
    scene.canvas.FillCircle(cx, cy, 3, hand);
}

void DrawDigitalClock(Scene& scene)
{
    const SceneColours& c = scene.colours;
    const int w = scene.Width();
    const int h = scene.Height();
    scene.Background(h, 10);

    // A display panel with a lit frame.
    const int scale = std::max(1, (w - 16) / 19);
    const int panelW = PixelCanvas::TextWidth("88:88", scale) + 12;
    const int panelH = 5 * scale + 12 + 4 * 4;
    const int px = (w - panelW) / 2;
    const int py = (h - panelH) / 2;
    const std::uint8_t halo =
        scene.palette.Ramp(Mix(c.glow, c.bottom, 8), Mix(c.bottom, c.glow, 3), 3);
    scene.canvas.FillGlow(w / 2, h / 2, w * 2 / 3, halo, 3);
    scene.canvas.FillRect(px - 2, py - 2, panelW + 4, panelH + 4, scene.palette.Add(c.glow));
    const std::uint8_t glass = scene.palette.Ramp(Mix(c.top, kBlack, 10), Mix(c.top, kBlack, 5), 4);
    scene.canvas.FillRamp(px, py, panelW, panelH, glass, 4);

    // Unlit segments behind the lit ones, as on a real display.
    const std::uint8_t unlit = scene.palette.Add(Mix(Mix(c.top, kBlack, 5), c.glow, 3));
    const std::uint8_t lit = scene.palette.Add(Mix(c.glow, kWhite, 6));
    const std::uint8_t shine = scene.palette.Add(Mix(c.glow, c.top, 6));
    const std::string time =
        TwoDigits(scene.random.Between(0, 23)) + ":" + TwoDigits(scene.random.Between(0, 59));
    scene.canvas.DrawText(px + 6, py + 6, "88:88", scale, unlit);
    scene.canvas.DrawText(px + 7, py + 7, time, scale, shine);
    scene.canvas.DrawText(px + 6, py + 6, time, scale, lit);

    static constexpr const char* kDays[] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};
    const std::string date =
        std::string(kDays[scene.random.Below(7)]) + " " + TwoDigits(scene.random.Between(1, 28));
    scene.canvas.DrawText(px + 6, py + 5 * scale + 10, date, 2, lit);
    // The seconds as a row of dots.
    const int seconds = scene.random.Between(0, 11);
    for (int dot = 0; dot < 12; ++dot)
        scene.canvas.FillRect(px + 6 + dot * (panelW - 12) / 12, py + panelH - 5, 3, 2,
                              dot <= seconds ? lit : unlit);
}
