#pragma once

#include <QRgb>

// The colour arithmetic of the skin. Each channel of a colour is computed
// on its own and rounded to nearest.

// channel * (255 - amount) / 255
QRgb Darken(int amount, QRgb colour);
// channel + (255 - channel) * amount / 255
QRgb Lighten(int amount, QRgb colour);
// 86 % of a plus 14 % of b, each part rounded on its own.
QRgb Mix86(QRgb a, QRgb b);
// 70 % of a plus 30 % of b, each part rounded on its own.
QRgb Mix70(QRgb a, QRgb b);
// Seven tenths of red and green and of blue + 55: a bluish shade for shadows.
QRgb Bluish(QRgb colour);

// A colour word as the resources write it, red in the low byte.
constexpr QRgb FromColorRef(unsigned word)
{
    return qRgb(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                static_cast<int>((word >> 16) & 0xFF));
}
