#pragma once

#include <QImage>

// The skin's own drop shadow of a menu window, 4 pixels wide at the right
// and the bottom: the system draws none.

inline constexpr int kShadowWidth = 4;

// How much (0 to 255, as for Darken) the shadow darkens the pixel at
// `position` along a shadow line of `length` pixels, `line` (1 to 4)
// counted from the outside: the first 4 pixels stay, the next 4 darken by
// 6, 12, 18 and 24 times the line, the middle by 30 times, and the last 4
// fade out the same way.
int ShadowAmount(int position, int length, int line);

// `behind`, the screen captured behind a menu window of the same size, with
// the shadow applied to its 4 right columns and 4 bottom rows (the columns
// take the corner).
QImage ApplySoftShadow(QImage behind);

// Darkens the 4 columns of `strip` over a plain background like the menu
// shadow, for an open menu bar item whose menu continues below it.
void DarkenAsShadowColumns(QImage& strip);
