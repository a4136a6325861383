#include "skin/CSkinStyle.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include "skin/CSkinMenu.h"
#include "skin/MenuInfo.h"
#include "skin/MenuItemOptions.h"
#include "skin/MenuStyle.h"
#include "skin/MenuWindowHook.h"
#include "skin/SkinState.h"
#include "skin/ToolBarLook.h"

namespace {

// The button of a toolbar: an image of 24 x 23 pixels makes a button of
// 31 x 30, the image 3 pixels in from the top-left corner.
constexpr QSize kButtonPadding(7, 7);
constexpr int kToolBarSeparatorWidth = 8;

const MenuStyle& Active()
{
    return SkinState::Get().ActiveStyle();
}

bool InToolBar(const QWidget* widget)
{
    return widget && qobject_cast<const QToolBar*>(widget->parentWidget());
}

bool IsSkinned(const QWidget* widget)
{
    return qobject_cast<const QMenu*>(widget) || qobject_cast<const QMenuBar*>(widget) ||
           qobject_cast<const QToolBar*>(widget) || InToolBar(widget);
}

void FillMenuBar(QPainter& painter, const QRect& rect, const QWidget* bar, const QPalette& palette)
{
    const QRgb fill = GetMenuInfo(bar).value_or(MenuColorsFor(bar, palette).MenuBarColor());
    painter.fillRect(rect, QColor(fill));
}

bool IsDrawnItem(const QStyleOptionMenuItem& option)
{
    switch (option.menuItemType) {
    case QStyleOptionMenuItem::Scroller:
    case QStyleOptionMenuItem::TearOff:
    case QStyleOptionMenuItem::Margin:
    case QStyleOptionMenuItem::EmptyArea:
        return false;
    default:
        return true;
    }
}

unsigned ToolButtonStateOf(const QStyleOptionToolButton& option)
{
    unsigned state = option.state & QStyle::State_On ? ToolButtonOn : 0u;
    if (!(option.state & QStyle::State_Enabled))
        return state | ToolButtonDisabled;
    if (option.state & QStyle::State_MouseOver)
        state |= ToolButtonHot;
    if (option.state & QStyle::State_Sunken)
        state |= ToolButtonHot | ToolButtonPressed;
    return state;
}

} // namespace

CSkinStyle::CSkinStyle() : m_pHook(new MenuWindowHook(this))
{
    connect(&SkinState::Get(), &SkinState::StyleChanged, this, &CSkinStyle::OnStyleChanged);
}

CSkinStyle::~CSkinStyle() = default;

void CSkinStyle::OnStyleChanged()
{
    // Sizes and looks of the skinned widgets follow the new style.
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (!IsSkinned(widget) || widget->style() != this)
            continue;
        QEvent change(QEvent::StyleChange);
        QApplication::sendEvent(widget, &change);
        widget->updateGeometry();
        widget->update();
    }
}

void CSkinStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (auto* menu = qobject_cast<QMenu*>(widget))
        m_pHook->Watch(menu);
}

void CSkinStyle::unpolish(QWidget* widget)
{
    if (auto* menu = qobject_cast<QMenu*>(widget))
        m_pHook->Unwatch(menu);
    QProxyStyle::unpolish(widget);
}

int CSkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        // The border widths are the menu's margins (MenuStyle::CalcNonClient).
        if (Active().DrawsOwnBorder())
            return 0;
        break;
    case PM_MenuBarPanelWidth:
    case PM_MenuBarItemSpacing:
    case PM_ToolBarItemSpacing:
    case PM_ToolBarItemMargin:
    case PM_ToolBarFrameWidth:
        return 0;
    case PM_ToolBarSeparatorExtent:
        return kToolBarSeparatorWidth;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int CSkinStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const
{
    switch (hint) {
    case SH_Menu_SupportsSections:
    case SH_MenuBar_AltKeyNavigation:
        return 1;
    case SH_Menu_FlashTriggeredItem:
    case SH_Menu_KeyboardSearch:
    case SH_DrawMenuBarSeparator:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QSize CSkinStyle::MenuItemSize(const QStyleOption* option, const QWidget* widget) const
{
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!menuOption || !IsDrawnItem(*menuOption))
        return {};
    const MenuItem item = MenuItemFromOption(*menuOption, widget, true);
    const MenuMetrics metrics = MenuMetricsFor(widget, menuOption->font);
    const QSize size = Active().Measure(item, metrics);
    // Menu bar items get room at both ends; the geometry of the bar is ours.
    if (item.Has(MenuItemMenuBar))
        return size + QSize(metrics.checkMarkWidth, 0);
    // The system widens owner-drawn pop-up items by the check mark width;
    // the toolkit adds the widest accelerator to the whole column itself.
    int width = size.width() + metrics.checkMarkWidth;
    const qsizetype tab = item.text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        const QFontMetrics fontMetrics(widget ? widget->font() : menuOption->font);
        width -= fontMetrics.horizontalAdvance(item.text.mid(tab + 1));
    }
    return {std::max(width, 0), size.height()};
}

QSize CSkinStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const
{
    switch (type) {
    case CT_MenuItem:
    case CT_MenuBarItem:
        if (const QSize itemSize = MenuItemSize(option, widget); itemSize.isValid())
            return itemSize;
        break;
    case CT_ToolButton:
        if (InToolBar(widget))
            return size + kButtonPadding;
        break;
    default:
        break;
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

bool CSkinStyle::DrawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!menuOption || !IsDrawnItem(*menuOption))
        return false;
    const MenuItem item = MenuItemFromOption(*menuOption, widget, false);
    // A vertical title is drawn with the menu's panel, beside the items.
    if (item.titleOptions & MenuTitleVertical)
        return true;
    MenuMetrics metrics = MenuMetricsFor(widget, menuOption->font);
    metrics.underlineMnemonics = styleHint(SH_UnderlineShortcut, option, widget, nullptr) != 0;
    const MenuColors colors = MenuColorsFor(widget, option->palette);
    painter->save();
    Active().DrawItem({*painter, option->rect, item, metrics, colors});
    painter->restore();
    return true;
}

void CSkinStyle::DrawMenuPanel(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const MenuStyle& style = Active();
    const MenuColors colors = MenuColorsFor(widget, option->palette);
    const QRect client = widget->contentsRect();
    painter->save();
    if (style.DrawsOwnBorder())
        style.DrawBorder(*painter, option->rect, m_pHook->Record(widget), colors);
    style.EraseBackground(*painter, style.DrawsOwnBorder() ? client : option->rect, colors);
    const auto* skinMenu = qobject_cast<const CSkinMenu*>(widget);
    if (const int width = skinMenu ? skinMenu->VerticalTitleWidth() : 0; width > 0) {
        MenuItem title;
        title.text = skinMenu->MenuTitleText();
        title.flags = MenuItemSeparator;
        title.titleOptions = skinMenu->MenuTitleOptions();
        const MenuMetrics metrics = skinMenu->Metrics();
        style.DrawItem({*painter, QRect(client.left() - width, client.top(), width, client.height()), title, metrics,
                        colors});
    }
    painter->restore();
}

bool CSkinStyle::DrawToolButton(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
    if (!button || !InToolBar(widget))
        return false;
    const unsigned state = ToolButtonStateOf(*button);
    const int styleId = GetMenuStyle();
    const MenuColors colors = MenuColorsFor(widget, option->palette);
    const QIcon::Mode mode = state & ToolButtonDisabled ? QIcon::Disabled : QIcon::Normal;
    painter->save();
    DrawToolButtonBackground(*painter, button->rect, state, styleId, colors);
    DrawToolButtonImage(*painter, button->rect, button->icon.pixmap(button->iconSize, mode), state, styleId, colors);
    painter->restore();
    return true;
}

void CSkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    switch (element) {
    case PE_PanelMenu:
        if (qobject_cast<const QMenu*>(widget)) {
            DrawMenuPanel(option, painter, widget);
            return;
        }
        break;
    case PE_FrameMenu:
        if (Active().DrawsOwnBorder() && qobject_cast<const QMenu*>(widget))
            return;
        break;
    case PE_PanelMenuBar:
        FillMenuBar(*painter, option->rect, widget, option->palette);
        return;
    case PE_IndicatorToolBarSeparator:
        DrawToolBarSeparator(*painter, option->rect, option->state & State_Horizontal, GetMenuStyle(),
                             MenuColorsFor(widget, option->palette));
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void CSkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (DrawMenuItem(option, painter, widget))
            return;
        break;
    case CE_MenuEmptyArea:
        if (widget) {
            Active().EraseBackground(*painter, widget->contentsRect(), MenuColorsFor(widget, option->palette));
            return;
        }
        break;
    case CE_MenuBarEmptyArea:
        FillMenuBar(*painter, option->rect, widget, option->palette);
        return;
    case CE_ToolBar:
        if (DrawToolBarBackground(*painter, option->rect, GetMenuStyle(), MenuColorsFor(widget, option->palette)))
            return;
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CSkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (control == CC_ToolButton && DrawToolButton(option, painter, widget))
        return;
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}
