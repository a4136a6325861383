#pragma once

#include <Qt>
#include <QPixmap>
#include <QRect>
#include <QRgb>

#include "skin/MenuItem.h"

struct MenuMetrics;
class QPainter;

// Drawing helpers shared by the menu looks and the toolbar.

// A gradient from `from` to `to`, top to bottom (Qt::Vertical) or left to
// right (Qt::Horizontal). Without smooth gradients the rectangle is filled
// with `to` and covered by 2-pixel bands that step from `from` to `to`.
void FillGradient(QPainter& painter, const QRect& rect, QRgb from, QRgb to, Qt::Orientation orientation,
                  bool smooth);

// A 1-pixel frame just inside the rectangle.
void DrawFrame(QPainter& painter, const QRect& rect, QRgb colour);
// A 1-pixel frame around a vertical gradient that fills the rest.
void DrawFramedGradient(QPainter& painter, const QRect& rect, QRgb from, QRgb to, QRgb frame, bool smooth);
// A 1-pixel frame with its top and left edges in one colour and its bottom
// and right edges in another: raised or sunken.
void Draw3DRect(QPainter& painter, const QRect& rect, QRgb topLeft, QRgb bottomRight);
// Two lines, dark over light: an etched groove, horizontal at y.
void DrawEtchedLine(QPainter& painter, int left, int right, int y, QRgb dark, QRgb light);

// A check mark (or a bullet for radio items) centred in the box.
void DrawCheckMark(QPainter& painter, const QRect& box, QRgb colour, bool radio);
// The small arrow of an item that opens a sub-menu, at the item's right.
void DrawSubMenuArrow(QPainter& painter, const QRect& itemRect, int width, QRgb colour);

// The item's text: the part before the first tab left-aligned, the part
// after the last tab (the accelerator) right-aligned, one line, vertically
// centred; menu bar items centred as a whole.
void DrawMenuText(QPainter& painter, const QRect& rect, const MenuItem& item, const MenuMetrics& metrics,
                  QRgb colour);

// The image in one colour where it is not transparent.
QPixmap MonochromeShadow(const QPixmap& image, QRgb colour);

// The item's icon at `at`: raised (a shadow 1 pixel down and right, the
// icon 1 pixel up and left) when selected, else its normal or disabled image.
void DrawItemIcon(QPainter& painter, QPoint at, const MenuItem& item, QRgb shadow);
// Where an icon goes in the icon column: centred, or 3 pixels from the
// left when it is as wide as the menu's icons.
QPoint IconPosition(const QRect& column, const QPixmap& icon, const MenuMetrics& metrics);
