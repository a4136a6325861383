// The look of styles 2 and 3: flat items, the selection framed and filled
// in colours mixed from the highlight, raised icons.

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

QRgb ColumnColour(const MenuColors& colors)
{
    return Mix86(colors.FaceColor(), colors.System().window);
}

void DrawMenuBarItem(const MenuItemPaint& paint)
{
    const MenuColors& colors = paint.colors;
    if (paint.item.Has(MenuItemOpen)) {
        paint.painter.fillRect(paint.rect, QColor(ColumnColour(colors)));
        DrawFrame(paint.painter, paint.rect, colors.System().buttonShadow);
    } else if (paint.item.Has(MenuItemHot)) {
        paint.painter.fillRect(paint.rect, QColor(colors.SelectionColor()));
        DrawFrame(paint.painter, paint.rect, colors.System().highlight);
    } else {
        paint.painter.fillRect(paint.rect, QColor(colors.MenuBarColor()));
    }
    DrawMenuText(paint.painter, paint.rect, paint.item, paint.metrics, MenuTextColor(paint.item, colors));
}

void DrawPopupItem(const MenuItemPaint& paint)
{
    const MenuColors& colors = paint.colors;
    const QRect& rect = paint.rect;
    paint.painter.fillRect(rect, QColor(FlatItemBackground(colors, false, colors.MenuBackground())));
    paint.painter.fillRect(QRect(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height()),
                           QColor(ColumnColour(colors)));
    const QRgb selection = colors.SelectionColor();
    DrawFlatPopupItem(paint, {selection, colors.System().highlight, selection, Darken(40, selection), Bluish(colors.FaceColor())});
}

} // namespace

void DrawFlatItem(const MenuItemPaint& paint)
{
    DrawByPlace(paint, DrawMenuBarItem, DrawPopupItem);
}
