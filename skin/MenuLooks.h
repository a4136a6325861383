#pragma once

#include <QRect>

#include "skin/MenuItem.h"
#include "skin/MenuMetrics.h"

class MenuColors;
class QPainter;

// What an item drawing operation gets: the item's rectangle in the
// painter's coordinates.
struct MenuItemPaint
{
    QPainter& painter;
    QRect rect;
    const MenuItem& item;
    const MenuMetrics& metrics;
    const MenuColors& colors;
};

// The item looks of the drawing styles.
void DrawClassicEdgeItem(const MenuItemPaint& paint);   // 0, 1: raised and sunken edges
void DrawGradientEdgeItem(const MenuItemPaint& paint);  // 6, 7: the same with gradient fills
void DrawFlatItem(const MenuItemPaint& paint);          // 2, 3
void DrawFlatGradientItem(const MenuItemPaint& paint);  // 8, 9
void DrawClassicItem(const MenuItemPaint& paint);       // 4, 5: classic items, flat menu bar

// The menu title, shared by all styles; `rect` is the title's band, along
// the left side for a vertical title.
void DrawMenuTitle(const MenuItemPaint& paint);

// Hands the item to the menu bar or the pop-up item drawing by its place.
void DrawByPlace(const MenuItemPaint& paint, void (*menuBarItem)(const MenuItemPaint&),
                 void (*popupItem)(const MenuItemPaint&));

// The colours of a pop-up item in the flat looks.
struct FlatItemColours
{
    QRgb selection;        // fill of the selected item
    QRgb frame;            // frame of the selection and of check boxes
    QRgb checked;          // check box of an item that is not selected
    QRgb checkedSelected;  // check box of the selected item
    QRgb iconShadow;       // shadow of the raised icon
};
// A pop-up item of the flat looks over its background: a separator is a
// line in the grey text colour at half height from the text's left edge;
// otherwise the selection (filled and framed), the check box (the icon
// column cell shrunk by 1 pixel, 2 at the right, with the check mark when
// there is no icon), the icon, the text and the sub-menu arrow.
void DrawFlatPopupItem(const MenuItemPaint& paint, const FlatItemColours& colours);

// The text colour of an item that shows no selection.
QRgb MenuTextColor(const MenuItem& item, const MenuColors& colors);
// The background of items in the flat looks over `behind` (the menu
// background, or the menu bar colour for menu bar items): styles 8 and 9
// (gradientLook) mix it into a slightly darkened window colour, or take
// that colour as it is when `behind` is the same; 2 and 3 mix it into the
// window colour.
QRgb FlatItemBackground(const MenuColors& colors, bool gradientLook, QRgb behind);
// The part of a pop-up item right of its icon column where the text goes.
QRect MenuTextRect(const QRect& itemRect, const MenuMetrics& metrics);
