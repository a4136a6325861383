#include "skin/MenuLooks.h"

#include "skin/MenuColors.h"
#include "skin/SkinColors.h"

namespace {

// Between the icon column and the text.
constexpr int kTextGap = 6;

} // namespace

QRgb MenuTextColor(const MenuItem& item, const MenuColors& colors)
{
    if (item.Has(MenuItemDisabled))
        return colors.System().grayText;
    if (colors.Environment().highContrast)
        return colors.System().windowText;
    return colors.System().menuText;
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
    const int depth = colors.Environment().displayDepth;
    return NearestDisplayColor(base, depth) == NearestDisplayColor(behind, depth) ? base : Mix86(base, behind);
}
