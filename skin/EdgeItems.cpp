// The looks of styles 0 and 1 (classic) and 6 and 7 (with gradient fills):
// icons in raised frames when selected and in sunken frames when checked,
// menu bar items raised when hot and sunken when open.

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

void FillBand(const MenuItemPaint& paint, const QRect& rect, QRgb from, QRgb to, Qt::Orientation orientation,
              bool gradient)
{
    if (gradient)
        FillGradient(paint.painter, rect, from, to, orientation, paint.colors.Environment().gradientFill);
    else
        paint.painter.fillRect(rect, QColor(from));
}

void DrawMenuBarItem(const MenuItemPaint& paint, bool gradient)
{
    const SystemColors& system = paint.colors.System();
    const QRgb bar = paint.colors.MenuBarColor();
    const QRgb face = paint.colors.FaceColor();
    QRect textRect = paint.rect;
    if (paint.item.Has(MenuItemOpen)) {
        FillBand(paint, paint.rect, gradient ? face : bar, Lighten(100, face), Qt::Vertical, gradient);
        Draw3DRect(paint.painter, paint.rect, system.buttonShadow, system.buttonHighlight);
        textRect.translate(1, 1);
    } else if (paint.item.Has(MenuItemHot)) {
        FillBand(paint, paint.rect, gradient ? Lighten(100, face) : bar, face, Qt::Vertical, gradient);
        Draw3DRect(paint.painter, paint.rect, system.buttonHighlight, system.buttonShadow);
    } else {
        paint.painter.fillRect(paint.rect, QColor(bar));
    }
    DrawMenuText(paint.painter, textRect, paint.item, paint.metrics, MenuTextColor(paint.item, paint.colors));
}

void DrawIconCell(const MenuItemPaint& paint, const QRect& cell, bool gradient)
{
    const SystemColors& system = paint.colors.System();
    const MenuItem& item = paint.item;
    const QRgb face = paint.colors.FaceColor();
    if (item.Has(MenuItemChecked)) {
        FillBand(paint, cell, Lighten(gradient ? 160 : 128, face), face, Qt::Vertical, gradient);
        Draw3DRect(paint.painter, cell, system.buttonShadow, system.buttonHighlight);
    } else if (item.Has(MenuItemSelected) && !item.Has(MenuItemDisabled) && !item.icon.IsNull()) {
        Draw3DRect(paint.painter, cell, system.buttonHighlight, system.buttonShadow);
    }
    if (!item.icon.IsNull()) {
        const QPixmap& image = item.Has(MenuItemDisabled) ? item.icon.disabled : item.icon.image;
        paint.painter.drawPixmap(IconPosition(cell, image, paint.metrics), image);
    } else if (item.Has(MenuItemChecked)) {
        DrawCheckMark(paint.painter, cell, MenuTextColor(item, paint.colors), item.Has(MenuItemRadio));
    }
}

void DrawPopupItem(const MenuItemPaint& paint, bool gradient)
{
    QPainter& painter = paint.painter;
    const QRect& rect = paint.rect;
    const MenuItem& item = paint.item;
    const SystemColors& system = paint.colors.System();
    painter.fillRect(rect, QColor(system.menu));
    if (item.Has(MenuItemSeparator)) {
        DrawEtchedLine(painter, rect.left() + 1, rect.right() - 1, rect.center().y() - 1, system.buttonShadow,
                       system.buttonHighlight);
        return;
    }
    const QRect cell = QRect(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height()).adjusted(1, 1, -1, -1);
    QRgb text = MenuTextColor(item, paint.colors);
    if (item.Has(MenuItemSelected) && !item.Has(MenuItemDisabled)) {
        const QRect band = rect.adjusted(cell.width() + 2, 0, 0, 0);
        FillBand(paint, band, system.highlight, Lighten(120, system.highlight), Qt::Horizontal, gradient);
        text = system.highlightText;
    }
    DrawIconCell(paint, cell, gradient);
    const QRect textRect = MenuTextRect(rect, paint.metrics);
    if (item.Has(MenuItemDisabled)) {
        DrawMenuText(painter, textRect.translated(1, 1), item, paint.metrics, system.buttonHighlight);
        text = system.buttonShadow;
    }
    DrawMenuText(painter, textRect, item, paint.metrics, text);
    if (item.Has(MenuItemPopup))
        DrawSubMenuArrow(painter, rect, paint.metrics.checkMarkWidth, text);
}

void DrawEdgeItem(const MenuItemPaint& paint, bool gradient)
{
    if (paint.item.Has(MenuItemMenuBar))
        DrawMenuBarItem(paint, gradient);
    else
        DrawPopupItem(paint, gradient);
}

} // namespace

void DrawClassicEdgeItem(const MenuItemPaint& paint)
{
    DrawEdgeItem(paint, false);
}

void DrawGradientEdgeItem(const MenuItemPaint& paint)
{
    DrawEdgeItem(paint, true);
}
