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
    colours.frame = system.highlight;
    colours.iconColumn = paint.colors.IconColumnColor();
    return colours;
}

// The open item continues into its menu: the icon column colour, and the
// menu's shadow at its right.
void DrawOpenMenuBarItem(const MenuItemPaint& paint, const ItemColours& colours)
{
    const QRect& rect = paint.rect;
    paint.painter.fillRect(rect.adjusted(0, 0, -kShadowWidth, 0), QColor(colours.iconColumn));
    QImage strip(kShadowWidth, rect.height(), QImage::Format_RGB32);
    strip.fill(QColor(paint.colors.MenuBarColor()));
    DarkenAsShadowColumns(strip);
    paint.painter.drawImage(rect.right() - kShadowWidth + 1, rect.top(), strip);
}

void DrawMenuBarItem(const MenuItemPaint& paint)
{
    const ItemColours colours = ColoursOf(paint);
    if (paint.item.Has(MenuItemOpen)) {
        DrawOpenMenuBarItem(paint, colours);
    } else if (paint.item.Has(MenuItemHot)) {
        DrawFramedGradient(paint.painter, paint.rect, colours.base, kSelectionFill, colours.frame,
                           paint.colors.Environment().gradientFill);
    } else {
        paint.painter.fillRect(paint.rect, QColor(paint.colors.MenuBarColor()));
    }
    DrawMenuText(paint.painter, paint.rect, paint.item, paint.metrics, MenuTextColor(paint.item, paint.colors));
}

void DrawPopupItem(const MenuItemPaint& paint)
{
    const ItemColours colours = ColoursOf(paint);
    const QRect& rect = paint.rect;
    const QRect column(rect.left(), rect.top(), paint.metrics.IconColumnWidth(), rect.height());
    FillGradient(paint.painter, column, colours.background, colours.iconColumn, Qt::Horizontal,
                 paint.colors.Environment().gradientFill);
    paint.painter.fillRect(rect.adjusted(column.width(), 0, 0, 0), QColor(colours.background));
    DrawFlatPopupItem(paint, {kSelectionFill, colours.frame, kChecked, kCheckedSelected, Bluish(kSelectionFill)});
}

} // namespace

void DrawFlatGradientItem(const MenuItemPaint& paint)
{
    DrawByPlace(paint, DrawMenuBarItem, DrawPopupItem);
}
