// The look of styles 8 and 9: flat items with gradient fills, the icon
// column in the adjusted icon column colour, raised icons.

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"
#include "skin/SoftShadow.h"

namespace {

constexpr QRgb kSelectionFill = qRgb(255, 238, 194);
constexpr QRgb kCheckedSelected = qRgb(254, 128, 62);
constexpr QRgb kChecked = qRgb(255, 192, 111);

struct ItemColours
{
    QRgb base;
    QRgb background;
    QRgb frame;
    QRgb iconColumn;
};

ItemColours ColoursOf(const MenuItemPaint& paint)
{
    const SystemColors& system = paint.colors.System();
    ItemColours colours{};
    colours.base = Darken(10, system.window);
    const QRgb behind = paint.item.Has(MenuItemMenuBar) ? paint.colors.MenuBarColor() : paint.colors.MenuBackground();
    colours.background = FlatItemBackground(paint.colors, true, behind);
    colours.frame = paint.colors.Environment().highContrast ? system.buttonText : system.highlight;
    colours.iconColumn = paint.colors.IconColumnColor();
    return colours;
}

void DrawOpenMenuBarItem(const MenuItemPaint& paint, const ItemColours& colours)
{
    const QRect& rect = paint.rect;
    paint.painter.fillRect(rect.adjusted(0, 0, -kShadowWidth, 0), QColor(colours.iconColumn));
    QImage strip(kShadowWidth, rect.height(), QImage::Format_RGB32);
    strip.fill(QColor(paint.colors.MenuBarColor()));
    DarkenAsShadowColumns(strip);
    paint.painter.drawImage(rect.right() - kShadowWidth + 1, rect.top(), strip);
}

void DrawMenuBarItem(const MenuItemPaint& paint, const ItemColours& colours)
{
    const bool smooth = paint.colors.Environment().gradientFill;
    if (paint.item.Has(MenuItemOpen)) {
        DrawOpenMenuBarItem(paint, colours);
    } else if (paint.item.Has(MenuItemHot)) {
        DrawFramedGradient(paint.painter, paint.rect, colours.base, kSelectionFill, colours.frame, smooth);
    } else {
        paint.painter.fillRect(paint.rect, QColor(paint.colors.MenuBarColor()));
    }
    DrawMenuText(paint.painter, paint.rect, paint.item, paint.metrics, MenuTextColor(paint.item, paint.colors));
}

void DrawCheckBox(const MenuItemPaint& paint, const ItemColours& colours, const QRect& column)
{
    const QRect box = column.adjusted(1, 1, -2, -1);
    paint.painter.fillRect(box, QColor(paint.item.Has(MenuItemSelected) ? kCheckedSelected : kChecked));
    DrawFrame(paint.painter, box, colours.frame);
    if (paint.item.icon.IsNull())
        DrawCheckMark(paint.painter, box, MenuTextColor(paint.item, paint.colors), paint.item.Has(MenuItemRadio));
}

} // namespace

void DrawFlatGradientItem(const MenuItemPaint& paint)
{
    const ItemColours colours = ColoursOf(paint);
    if (paint.item.Has(MenuItemMenuBar)) {
        DrawMenuBarItem(paint, colours);
        return;
    }
    QPainter& painter = paint.painter;
    const QRect& rect = paint.rect;
    const QRect column(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height());
    const QRect textRect = MenuTextRect(rect, paint.metrics);
    FillGradient(painter, column, colours.background, colours.iconColumn, Qt::Horizontal,
                 paint.colors.Environment().gradientFill);
    painter.fillRect(rect.adjusted(column.width(), 0, 0, 0), QColor(colours.background));

    const MenuItem& item = paint.item;
    if (item.Has(MenuItemSeparator)) {
        painter.fillRect(textRect.left(), rect.top() + rect.height() / 2, rect.right() - textRect.left() + 1, 1,
                         QColor(paint.colors.System().grayText));
        return;
    }
    if (item.Has(MenuItemSelected) && !item.Has(MenuItemDisabled)) {
        painter.fillRect(rect, QColor(kSelectionFill));
        DrawFrame(painter, rect, colours.frame);
    }
    if (item.Has(MenuItemChecked))
        DrawCheckBox(paint, colours, column);
    if (!item.icon.IsNull())
        DrawItemIcon(painter, IconPosition(column, item.icon.image, paint.metrics), item, Bluish(kSelectionFill));
    const QRgb text = MenuTextColor(item, paint.colors);
    DrawMenuText(painter, textRect, item, paint.metrics, text);
    if (item.Has(MenuItemPopup))
        DrawSubMenuArrow(painter, rect, paint.metrics.checkMarkWidth, text);
}
