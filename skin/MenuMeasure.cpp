#include "skin/MenuMeasure.h"

#include <algorithm>

#include <QFontMetrics>

namespace {

constexpr int kFirstSystemCommand = 0xF000;
constexpr int kLastSystemCommand = 0xF150;

int TextHeight(const MenuItem& item, const MenuMetrics& metrics)
{
    return QFontMetrics(metrics.ItemFont(item)).height();
}

// The menu bar item is as wide as its text; the '&' that the system does
// not show is taken off as 6 pixels.
QSize MeasureMenuBarText(const MenuItem& item, const MenuMetrics& metrics, int height)
{
    const int width = MenuTextWidth(item, metrics) - (item.text.contains(QLatin1Char('&')) ? 6 : 0);
    return {width, height};
}

} // namespace

QSize MeasureTitle(const MenuItem& item, const MenuMetrics& metrics)
{
    const QFontMetrics title(metrics.TitleFont());
    const bool grooves = (item.titleOptions & MenuTitleGrooves) != 0;
    if (item.titleOptions & MenuTitleVertical) {
        const int extra = grooves ? 8 : (item.titleOptions & MenuTitleRounded) ? 4 : 0;
        return {title.height() - metrics.checkMarkWidth + extra, 0};
    }
    return {title.horizontalAdvance(item.text), title.height() + (grooves ? 8 : 0)};
}

int MenuTextWidth(const MenuItem& item, const MenuMetrics& metrics)
{
    QString text = item.text;
    text.replace(QLatin1Char('\t'), QStringLiteral("nnn"));
    return QFontMetrics(metrics.ItemFont(item)).horizontalAdvance(text);
}

bool IsSystemCommand(int commandId)
{
    return commandId >= kFirstSystemCommand && commandId <= kLastSystemCommand;
}

QSize MeasureFlatItem(const MenuItem& item, const MenuMetrics& metrics)
{
    if (item.IsTitle())
        return MeasureTitle(item, metrics);
    if (item.Has(MenuItemSeparator))
        return {3, 3};
    if (IsSystemCommand(item.commandId))
        return {metrics.systemCommandsWidth, metrics.menuBarHeight};
    const int iconHeight = metrics.iconSize.height();
    int height = metrics.menuBarHeight > iconHeight + 8 ? metrics.menuBarHeight : iconHeight + 7;
    height = std::max(height, TextHeight(item, metrics));
    if (item.Has(MenuItemMenuBar))
        return MeasureMenuBarText(item, metrics, height);
    return {metrics.iconSize.width() + metrics.menuBarHeight / 2 + MenuTextWidth(item, metrics) + 6, height};
}

QSize MeasureClassicItem(const MenuItem& item, const MenuMetrics& metrics)
{
    if (item.IsTitle())
        return MeasureTitle(item, metrics);
    if (item.Has(MenuItemSeparator))
        return {3, metrics.menuBarHeight / 2};
    const int height = std::max({metrics.menuBarHeight, metrics.iconSize.height() + 4, TextHeight(item, metrics)});
    if (item.Has(MenuItemMenuBar))
        return MeasureMenuBarText(item, metrics, height);
    return {metrics.iconSize.width() + 4 + MenuTextWidth(item, metrics) + 8, height};
}

QSize MeasureEdgeItem(const MenuItem& item, const MenuMetrics& metrics)
{
    if (item.IsTitle())
        return MeasureTitle(item, metrics);
    if (item.Has(MenuItemSeparator))
        return {3, 6};
    const int height = std::max({metrics.menuBarHeight, metrics.iconSize.height() + 6, TextHeight(item, metrics)});
    if (item.Has(MenuItemMenuBar))
        return MeasureMenuBarText(item, metrics, height);
    return {metrics.IconColumnWidth() + MenuTextWidth(item, metrics) + 12, height};
}
