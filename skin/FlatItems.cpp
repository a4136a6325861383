// The look of styles 2 and 3: flat items, the selection framed and filled
// in colours mixed from the highlight, raised icons.

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

QRgb FrameColour(const MenuColors& colors)
{
    return colors.Environment().highContrast ? colors.System().buttonText : colors.System().highlight;
}

void DrawMenuBarItem(const MenuItemPaint& paint)
{
    const MenuColors& colors = paint.colors;
    if (paint.item.Has(MenuItemOpen)) {
        paint.painter.fillRect(paint.rect, QColor(Mix86(colors.FaceColor(), colors.System().window)));
        DrawFrame(paint.painter, paint.rect, colors.System().buttonShadow);
    } else if (paint.item.Has(MenuItemHot)) {
        paint.painter.fillRect(paint.rect, QColor(colors.SelectionColor()));
        DrawFrame(paint.painter, paint.rect, FrameColour(colors));
    } else {
        paint.painter.fillRect(paint.rect, QColor(colors.MenuBarColor()));
    }
    DrawMenuText(paint.painter, paint.rect, paint.item, paint.metrics, MenuTextColor(paint.item, colors));
}

} // namespace

void DrawFlatItem(const MenuItemPaint& paint)
{
    if (paint.item.Has(MenuItemMenuBar)) {
        DrawMenuBarItem(paint);
        return;
    }
    QPainter& painter = paint.painter;
    const QRect& rect = paint.rect;
    const MenuItem& item = paint.item;
    const MenuColors& colors = paint.colors;
    const QRect column(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height());
    const QRect textRect = MenuTextRect(rect, paint.metrics);
    painter.fillRect(rect, QColor(FlatItemBackground(colors, false, colors.MenuBackground())));
    painter.fillRect(column, QColor(Mix86(colors.FaceColor(), colors.System().window)));
    if (item.Has(MenuItemSeparator)) {
        painter.fillRect(textRect.left(), rect.top() + rect.height() / 2, rect.right() - textRect.left() + 1, 1,
                         QColor(colors.System().grayText));
        return;
    }
    const QRgb selection = colors.SelectionColor();
    if (item.Has(MenuItemSelected) && !item.Has(MenuItemDisabled)) {
        painter.fillRect(rect, QColor(selection));
        DrawFrame(painter, rect, FrameColour(colors));
    }
    const QRgb text = MenuTextColor(item, colors);
    if (item.Has(MenuItemChecked)) {
        const QRect box = column.adjusted(1, 1, -2, -1);
        painter.fillRect(box, QColor(item.Has(MenuItemSelected) ? Darken(40, selection) : selection));
        DrawFrame(painter, box, FrameColour(colors));
        if (item.icon.IsNull())
            DrawCheckMark(painter, box, text, item.Has(MenuItemRadio));
    }
    if (!item.icon.IsNull())
        DrawItemIcon(painter, IconPosition(column, item.icon.image, paint.metrics), item, Bluish(colors.FaceColor()));
    DrawMenuText(painter, textRect, item, paint.metrics, text);
    if (item.Has(MenuItemPopup))
        DrawSubMenuArrow(painter, rect, paint.metrics.checkMarkWidth, text);
}
