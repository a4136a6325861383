#include "skin/MenuMetrics.h"

#include <algorithm>

#include <QFontMetrics>

#include "skin/MenuItem.h"

MenuMetrics MenuMetrics::ForFont(const QFont& font, QSize iconSize)
{
    // The platform's measures of an 8-point menu font, 13 pixels high: a
    // menu bar 19 pixels high and check marks 13 pixels wide; larger fonts
    // grow both.
    const int textHeight = QFontMetrics(font).height();
    MenuMetrics metrics;
    metrics.font = font;
    metrics.menuBarHeight = std::max(19, textHeight + 6);
    metrics.checkMarkWidth = std::max(13, textHeight);
    metrics.iconSize = iconSize;
    return metrics;
}

QFont MenuMetrics::ItemFont(const MenuItem& item) const
{
    QFont itemFont = font;
    if (item.Has(MenuItemDefault))
        itemFont.setBold(true);
    return itemFont;
}

QFont MenuMetrics::TitleFont() const
{
    QFont title = font;
    title.setBold(true);
    return title;
}
