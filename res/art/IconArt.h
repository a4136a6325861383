#pragma once

#include <QImage>

// Bitmap 128: 96 x 23, the four toolbar images in 16 colours on the light
// grey that toolbars show as their face.
QImage DrawToolBar16();
// Bitmap 131: 120 x 23, five images in 24-bit colour on magenta, the
// transparent colour (its top-left pixel). Edges are blended against a
// light face colour, so no magenta fringe remains.
QImage DrawToolBarHiColor();
// The application icon, square.
QImage DrawAppIcon(int size);
