#pragma once

#include <QPixmap>
#include <QRect>
#include <QRgb>

class MenuColors;
class QPainter;

// The toolbar drawn to match the active drawing style.

enum ToolButtonState : unsigned
{
    ToolButtonHot = 0x1,      // the pointer is over it
    ToolButtonPressed = 0x2,  // hot and the mouse button is down
    ToolButtonOn = 0x4,       // a toggle button in its on state
    ToolButtonDisabled = 0x8,
};

// The button's background in its state; nothing in the normal state.
void DrawToolButtonBackground(QPainter& painter, const QRect& button, unsigned state, int styleId,
                              const MenuColors& colors);
// The button's image, 3 pixels in from its top-left corner; raised (a
// shadow at 4, the image at 2) when hot in styles 2 and 3, moved to 4 when
// pressed in the classic styles.
void DrawToolButtonImage(QPainter& painter, const QRect& button, const QPixmap& image, unsigned state,
                         int styleId, const MenuColors& colors);
// The toolbar's background; false in the classic styles, which keep the
// framework's.
bool DrawToolBarBackground(QPainter& painter, const QRect& bar, int styleId, const MenuColors& colors);
// A separator: a three-dimensional line across the bar's thickness.
void DrawToolBarSeparator(QPainter& painter, const QRect& separator, bool horizontalBar, int styleId,
                          const MenuColors& colors);
// The shadow colour of the toolbar's colour scheme.
QRgb ToolBarShadowColor(int styleId, const MenuColors& colors);
