#include "skin/MenuLooks.h"

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

// Between the icon column and the text.
constexpr int kTextGap = 6;

} // namespace

QRgb MenuTextColor(const MenuItem& item, const MenuColors& colors)
{
    return item.Has(MenuItemDisabled) ? colors.System().grayText : colors.System().menuText;
}

QRect MenuTextRect(const QRect& itemRect, const MenuMetrics& metrics)
{
    // The right end keeps room for a sub-menu arrow.
    return itemRect.adjusted(metrics.IconColumnWidth() + kTextGap, 0, -metrics.checkMarkWidth, 0);
}

QRgb FlatItemBackground(const MenuColors& colors, bool gradientLook, QRgb behind)
{
    const QRgb window = colors.System().window;
    if (!gradientLook)
        return Mix86(window, behind);
    const QRgb base = Darken(10, window);
    // Mixed with itself a channel could round off by one.
    return (base & RGB_MASK) == (behind & RGB_MASK) ? base : Mix86(base, behind);
}

void DrawByPlace(const MenuItemPaint& paint, void (*menuBarItem)(const MenuItemPaint&),
                 void (*popupItem)(const MenuItemPaint&))
{
    (paint.item.Has(MenuItemMenuBar) ? menuBarItem : popupItem)(paint);
}

void DrawFlatPopupItem(const MenuItemPaint& paint, const FlatItemColours& colours)
{
    QPainter& painter = paint.painter;
    const QRect& rect = paint.rect;
    const MenuItem& item = paint.item;
    const QRect textRect = MenuTextRect(rect, paint.metrics);
    if (item.Has(MenuItemSeparator)) {
        painter.fillRect(textRect.left(), rect.top() + rect.height() / 2, rect.right() - textRect.left() + 1, 1,
                         QColor(paint.colors.System().grayText));
        return;
    }
    const bool selected = item.Has(MenuItemSelected);
    if (selected && !item.Has(MenuItemDisabled)) {
        painter.fillRect(rect, QColor(colours.selection));
        DrawFrame(painter, rect, colours.frame);
    }
    const QRgb text = MenuTextColor(item, paint.colors);
    const QRect column(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height());
    if (item.Has(MenuItemChecked)) {
        const QRect box = column.adjusted(1, 1, -2, -1);
        painter.fillRect(box, QColor(selected ? colours.checkedSelected : colours.checked));
        DrawFrame(painter, box, colours.frame);
        if (item.icon.IsNull())
            DrawCheckMark(painter, box, text, item.Has(MenuItemRadio));
    }
    if (!item.icon.IsNull())
        DrawItemIcon(painter, IconPosition(column, item.icon.image, paint.metrics), item, colours.iconShadow);
    DrawMenuText(painter, textRect, item, paint.metrics, text);
    if (item.Has(MenuItemPopup))
        DrawSubMenuArrow(painter, rect, paint.metrics.checkMarkWidth, text);
}
