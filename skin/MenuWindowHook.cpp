#include "skin/MenuWindowHook.h"

#include <QEvent>
#include <QMenu>
#include <QScreen>

#include "skin/CSkinMenu.h"
#include "skin/MenuStyle.h"
#include "skin/SkinState.h"

namespace {

// The screen behind the window, taken before the window covers it: there
// is no compositor to keep it.
QImage CaptureBehind(const QWidget& window)
{
    QScreen* screen = window.screen();
    if (!screen)
        return {};
    const QRect area = window.geometry().translated(-screen->geometry().topLeft());
    const QPixmap grabbed = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (grabbed.size() != area.size())
        return {};
    return grabbed.toImage().convertToFormat(QImage::Format_RGB32);
}

QMargins TitleMargins(const QMenu& menu)
{
    const auto* skinMenu = qobject_cast<const CSkinMenu*>(&menu);
    return {skinMenu ? skinMenu->VerticalTitleWidth() : 0, 0, 0, 0};
}

} // namespace

MenuWindowHook::MenuWindowHook(QObject* parent) : QObject(parent)
{
}

MenuWindowHook::~MenuWindowHook() = default;

void MenuWindowHook::Watch(QMenu* menu)
{
    if (!m_watched.insert(menu).second)
        return;
    menu->installEventFilter(this);
    // Made again before each showing, for the style active then.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        Unsubclass(*menu);
        Subclass(*menu);
    });
    connect(menu, &QObject::destroyed, this, [this](QObject* object) {
        m_records.erase(object);
        m_watched.erase(object);
    });
    Subclass(*menu);
}

void MenuWindowHook::Unwatch(QMenu* menu)
{
    if (m_watched.erase(menu) == 0)
        return;
    Unsubclass(*menu);
    menu->removeEventFilter(this);
    disconnect(menu, nullptr, this, nullptr);
}

void MenuWindowHook::Subclass(QMenu& menu)
{
    if (m_records.count(&menu))
        return;
    MenuWindowRecord& record = m_records[&menu];
    record.menu = &menu;
    SkinState& skin = SkinState::Get();
    skin.ActiveStyle().OnSubclass(menu, record, TitleMargins(menu));
}

void MenuWindowHook::Unsubclass(QMenu& menu)
{
    const auto it = m_records.find(&menu);
    if (it == m_records.end())
        return;
    SkinState::Get().ActiveStyle().OnUnsubclass(menu, it->second);
    m_records.erase(it);
}

const MenuWindowRecord* MenuWindowHook::Record(const QWidget* menu) const
{
    const auto it = m_records.find(menu);
    return it == m_records.end() ? nullptr : &it->second;
}

void MenuWindowHook::OnShow(QMenu& menu, MenuWindowRecord& record)
{
    // Shown, not yet on the screen: the last moment to move it and to see
    // what it will cover.
    menu.move(SkinState::Get().ActiveStyle().PosChanging(menu.pos()));
    record.position = menu.pos();
    record.positionKnown = true;
    record.state |= MenuWindowWasVisible;
    if (record.background.isNull())
        record.background = CaptureBehind(menu);
}

void MenuWindowHook::OnMove(QMenu& menu, MenuWindowRecord& record)
{
    if (!menu.isVisible() || !record.positionKnown || record.position == menu.pos())
        return;
    // Moved where it is shown: what was captured lies elsewhere now.
    record.position = menu.pos();
    record.background = QImage();
}

bool MenuWindowHook::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    const auto it = m_records.find(watched);
    if (!menu || it == m_records.end())
        return QObject::eventFilter(watched, event);
    MenuWindowRecord& record = it->second;
    switch (event->type()) {
    case QEvent::Show:
        OnShow(*menu, record);
        break;
    case QEvent::Hide:
        Unsubclass(*menu);
        break;
    case QEvent::Move:
        OnMove(*menu, record);
        break;
    case QEvent::Resize:
        if (menu->isVisible())
            record.background = QImage();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
