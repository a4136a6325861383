// The look of styles 4 and 5: classic pop-up items on the menu colour,
// selected items in the highlight colour; flat menu bar items.

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"

namespace {

void DrawMenuBarItem(const MenuItemPaint& paint)
{
    const SystemColors& system = paint.colors.System();
    const bool marked = paint.item.flags & (MenuItemHot | MenuItemSelected | MenuItemOpen);
    paint.painter.fillRect(paint.rect, QColor(marked ? system.highlight : paint.colors.MenuBarColor()));
    const QRgb text = marked && !paint.item.Has(MenuItemDisabled) ? system.highlightText
                                                                   : MenuTextColor(paint.item, paint.colors);
    DrawMenuText(paint.painter, paint.rect, paint.item, paint.metrics, text);
}

void DrawPopupItem(const MenuItemPaint& paint)
{
    QPainter& painter = paint.painter;
    const QRect& rect = paint.rect;
    const MenuItem& item = paint.item;
    const SystemColors& system = paint.colors.System();
    if (item.Has(MenuItemSeparator)) {
        painter.fillRect(rect, QColor(system.menu));
        DrawEtchedLine(painter, rect.left() + 1, rect.right() - 1, rect.center().y() - 1, system.buttonShadow,
                       system.buttonHighlight);
        return;
    }
    const bool selected = item.Has(MenuItemSelected);
    painter.fillRect(rect, QColor(selected ? system.highlight : system.menu));
    const QRect column(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height());
    QRgb text = MenuTextColor(item, paint.colors);
    if (selected && (!item.Has(MenuItemDisabled) || system.grayText == system.highlight))
        text = system.highlightText;
    const QRect textRect = MenuTextRect(rect, paint.metrics);
    if (item.Has(MenuItemDisabled) && !selected) {
        // Disabled text is embossed: a light copy below and right.
        DrawMenuText(painter, textRect.translated(1, 1), item, paint.metrics, system.buttonHighlight);
        text = system.buttonShadow;
    }
    if (!item.icon.IsNull()) {
        if (item.Has(MenuItemChecked))
            Draw3DRect(painter, column.adjusted(1, 1, -2, -1), system.buttonShadow, system.buttonHighlight);
        const QPixmap& image = item.Has(MenuItemDisabled) ? item.icon.disabled : item.icon.image;
        painter.drawPixmap(IconPosition(column, image, paint.metrics), image);
    } else if (item.Has(MenuItemChecked)) {
        DrawCheckMark(painter, column, text, item.Has(MenuItemRadio));
    }
    DrawMenuText(painter, textRect, item, paint.metrics, text);
    if (item.Has(MenuItemPopup))
        DrawSubMenuArrow(painter, rect, paint.metrics.checkMarkWidth, text);
}

} // namespace

void DrawClassicItem(const MenuItemPaint& paint)
{
    DrawByPlace(paint, DrawMenuBarItem, DrawPopupItem);
}
