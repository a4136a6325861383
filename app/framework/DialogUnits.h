#pragma once

#include <QRect>

// number * numerator / denominator, rounded half away from zero, computed
// in 64 bits; -1 for a zero denominator or a result that does not fit.
int MulDiv(int number, int numerator, int denominator);

// A rectangle of a dialog template in pixels. The dialogs are laid out in
// dialog units of an 8-point dialog font whose base units are 6 x 13 pixels:
// x pixels = x units * 6 / 4, y pixels = y units * 13 / 8.
QRect DialogUnitsToPixels(int x, int y, int width, int height);
QSize DialogUnitsToPixels(int width, int height);
