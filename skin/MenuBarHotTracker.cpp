#include "skin/MenuBarHotTracker.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimerEvent>

#include "skin/SkinState.h"

namespace {

constexpr int kTimerInterval = 100;

} // namespace

MenuBarHotTracker::MenuBarHotTracker(QMenuBar* bar, QWidget* frame)
    : QObject(bar), m_pBar(bar), m_pFrame(frame), m_cursor([] { return QCursor::pos(); })
{
    bar->installEventFilter(this);
}

MenuBarHotTracker::~MenuBarHotTracker() = default;

MenuBarHotTracker* MenuBarHotTracker::Of(const QWidget* bar)
{
    return bar ? bar->findChild<MenuBarHotTracker*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool MenuBarHotTracker::Enabled()
{
    return SkinState::Get().Environment().remote;
}

bool MenuBarHotTracker::FocusInFrame() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && m_pFrame && (focus == m_pFrame || m_pFrame->isAncestorOf(focus));
}

bool MenuBarHotTracker::OnNcHitTest(QPoint globalPosition)
{
    const bool overMenu = m_pBar && m_pBar->isVisible() && m_pBar->rect().contains(m_pBar->mapFromGlobal(globalPosition));
    if (!Enabled())
        return overMenu;

    // Without the keyboard focus the items are drawn inactive.
    const unsigned normal = FocusInFrame() ? 0 : StateInactive;
    const unsigned hot = StateHotLight | normal;

    if (!m_bMenuLoop && overMenu) {
        const QList<QAction*> actions = m_pBar->actions();
        const int index = static_cast<int>(actions.indexOf(m_pBar->actionAt(m_pBar->mapFromGlobal(globalPosition))));
        if (index >= 0) {
            if (index != m_nHotItem) {
                if (m_nHotItem >= 0)
                    RedrawItem(m_nHotItem, normal);
                if (!RedrawItem(index, hot)) {
                    m_nHotItem = -1;
                    return overMenu;
                }
            } else if (ItemState(index) == hot) {
                return overMenu;
            }
            if (m_nTimerId == 0)
                m_nTimerId = startTimer(kTimerInterval);
            m_nHotItem = index;
            return overMenu;
        }
    }
    if (m_nHotItem >= 0)
        RedrawItem(m_nHotItem, normal);
    m_nHotItem = -1;
    Stop();
    return overMenu;
}

bool MenuBarHotTracker::RedrawItem(int index, unsigned state)
{
    QAction* action = m_pBar ? m_pBar->actions().value(index) : nullptr;
    if (!action || !action->isVisible() || action->isSeparator())
        return false;
    m_drawnStates[index] = state;
    m_pBar->update(m_pBar->actionGeometry(action));
    emit ItemRedrawn(index, state);
    return true;
}

unsigned MenuBarHotTracker::ItemState(int index) const
{
    const auto it = m_drawnStates.find(index);
    return it == m_drawnStates.end() ? 0 : it->second;
}

void MenuBarHotTracker::OnEnterMenuLoop()
{
    m_bMenuLoop = true;
    Stop();
    if (m_nHotItem >= 0)
        RedrawItem(m_nHotItem, 0);
    m_nHotItem = -1;
}

void MenuBarHotTracker::OnExitMenuLoop()
{
    m_bMenuLoop = false;
}

void MenuBarHotTracker::OnTimer()
{
    OnNcHitTest(m_cursor());
}

void MenuBarHotTracker::Stop()
{
    if (m_nTimerId != 0)
        killTimer(m_nTimerId);
    m_nTimerId = 0;
}

void MenuBarHotTracker::SetCursorSource(std::function<QPoint()> source)
{
    m_cursor = std::move(source);
}

void MenuBarHotTracker::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_nTimerId)
        OnTimer();
    else
        QObject::timerEvent(event);
}

bool MenuBarHotTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pBar && event->type() == QEvent::MouseMove)
        OnNcHitTest(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return QObject::eventFilter(watched, event);
}
