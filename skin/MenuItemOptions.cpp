#include "skin/MenuItemOptions.h"

#include <QMenu>
#include <QMenuBar>
#include <QStyleOptionMenuItem>

#include "skin/CSkinMenu.h"
#include "skin/CSkinMenuIcons.h"
#include "skin/MenuBarHotTracker.h"
#include "skin/MenuInfo.h"
#include "skin/SkinState.h"

namespace {

MenuItemIcon IconFromQIcon(const QIcon& icon, QSize size)
{
    MenuItemIcon images;
    if (icon.isNull())
        return images;
    images.image = icon.pixmap(size, QIcon::Normal);
    images.normal = images.image;
    images.disabled = icon.pixmap(size, QIcon::Disabled);
    return images;
}

unsigned FlagsOf(const QStyleOptionMenuItem& option, bool menuBar)
{
    unsigned flags = menuBar ? MenuItemMenuBar : 0u;
    switch (option.menuItemType) {
    case QStyleOptionMenuItem::Separator: flags |= MenuItemSeparator; break;
    case QStyleOptionMenuItem::SubMenu: flags |= MenuItemPopup; break;
    case QStyleOptionMenuItem::DefaultItem: flags |= MenuItemDefault; break;
    default: break;
    }
    if (!(option.state & QStyle::State_Enabled))
        flags |= MenuItemDisabled;
    if (option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked)
        flags |= MenuItemChecked;
    if (option.checkType == QStyleOptionMenuItem::Exclusive)
        flags |= MenuItemRadio;
    if (option.state & QStyle::State_Selected) {
        if (!menuBar)
            flags |= MenuItemSelected;
        else
            flags |= option.state & QStyle::State_Sunken ? MenuItemOpen : MenuItemHot;
    }
    return flags;
}

// Where the skin tracks the menu bar itself, an item is hot when it
// tracked it so; the toolkit's own selection counts only from the keyboard.
void ApplyHotTracking(MenuItem& item, const QWidget* bar, QAction* action)
{
    const MenuBarHotTracker* tracker = MenuBarHotTracker::Of(bar);
    if (!tracker || !MenuBarHotTracker::Enabled() || !action || bar->hasFocus())
        return;
    const int index = static_cast<int>(bar->actions().indexOf(action));
    item.flags &= ~MenuItemHot;
    if (!item.Has(MenuItemOpen) && (tracker->ItemState(index) & MenuBarHotTracker::StateHotLight))
        item.flags |= MenuItemHot;
}

// The action of the menu or menu bar item drawn in the rectangle.
QAction* ActionAt(const QWidget* widget, const QRect& itemRect)
{
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->actionAt(itemRect.center());
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
        return bar->actionAt(itemRect.center());
    return nullptr;
}

// The first action that shows the text; the toolkit appends the shortcut
// after a tab.
QAction* ActionWithText(const QWidget* widget, const QString& text)
{
    if (!widget || text.isEmpty())
        return nullptr;
    for (QAction* action : widget->actions()) {
        const QString own = action->text();
        if (!own.isEmpty() && (text == own || text.startsWith(own + QLatin1Char('\t'))))
            return action;
    }
    return nullptr;
}

} // namespace

MenuItem MenuItemFromOption(const QStyleOptionMenuItem& option, const QWidget* widget, bool measuring)
{
    const bool menuBar = qobject_cast<const QMenuBar*>(widget) != nullptr;
    MenuItem item;
    item.text = option.text;
    item.flags = FlagsOf(option, menuBar);
    QAction* action = measuring ? ActionWithText(widget, option.text) : ActionAt(widget, option.rect);
    if (menuBar)
        ApplyHotTracking(item, widget, action);
    if (action)
        item.commandId = action->data().toInt();
    QSize iconSize(16, 15);
    if (const auto* skinMenu = qobject_cast<const CSkinMenu*>(widget)) {
        iconSize = skinMenu->IconSize();
        if (const CSkinMenuItemData* data = action ? skinMenu->ItemData(action) : nullptr) {
            item.titleOptions = data->m_nTitleFlags;
            if (data->m_pIcons)
                item.icon = data->m_pIcons->Icon(data->m_nIconIndex);
        }
    }
    // A separator with a text is a section title, as the toolkit has it.
    if (item.Has(MenuItemSeparator) && !item.text.isEmpty() && item.titleOptions == 0)
        item.titleOptions = MenuTitle;
    if (item.icon.IsNull())
        item.icon = IconFromQIcon(option.icon, iconSize);
    return item;
}

MenuMetrics MenuMetricsFor(const QWidget* widget, const QFont& font)
{
    if (const auto* skinMenu = qobject_cast<const CSkinMenu*>(widget))
        return skinMenu->Metrics();
    return MenuMetrics::ForFont(widget ? widget->font() : font);
}

MenuColors MenuColorsFor(const QWidget* widget, const QPalette& palette)
{
    return SkinState::Get().ColorsFor(palette, GetMenuInfo(widget));
}
