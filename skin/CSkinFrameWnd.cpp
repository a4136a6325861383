#include "skin/CSkinFrameWnd.h"

#include <QEvent>
#include <QMenuBar>

#include "skin/CSkinMenu.h"
#include "skin/MenuBarHotTracker.h"
#include "skin/MenuInfo.h"
#include "skin/SkinState.h"

CSkinFrameWnd::CSkinFrameWnd(QWidget* parent) : FrameWindow(parent)
{
    SkinState::Get().InstallHook();
    m_pHotTracker = new MenuBarHotTracker(menuBar(), this);
    ApplyMenuBackground();
}

CSkinFrameWnd::~CSkinFrameWnd()
{
    m_pHotTracker->Stop();
}

bool CSkinFrameWnd::InMenuLoop() const
{
    return m_pHotTracker->InMenuLoop();
}

QMenu* CSkinFrameWnd::NewMenu(const QString& title)
{
    auto* menu = new CSkinMenu(title, menuBar());
    connect(menu, &QMenu::aboutToShow, m_pHotTracker, &MenuBarHotTracker::OnEnterMenuLoop);
    connect(menu, &QMenu::aboutToHide, m_pHotTracker, &MenuBarHotTracker::OnExitMenuLoop);
    return menu;
}

void CSkinFrameWnd::changeEvent(QEvent* event)
{
    FrameWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        OnSysColorChange();
}

void CSkinFrameWnd::OnSysColorChange()
{
    SkinState::Get().RefreshIconSets();
    ApplyMenuBackground();
}

void CSkinFrameWnd::ApplyMenuBackground()
{
    // The brush is the menu background that the colour rules give without
    // one, so that the bar and its menus agree.
    const MenuColors colors = SkinState::Get().ColorsFor(menuBar()->palette());
    SetMenuInfo(menuBar(), colors.MenuBackground());
}
