#pragma once

#include "app/framework/FrameWindow.h"

class MenuBarHotTracker;

// A frame window connected to the menu skin: its menus are CSkinMenus,
// its menu bar gets the skin's menu background, is hot-tracked by the
// skin where the system does not do it, and the icon sets and menu
// backgrounds follow changes of the system colours.
class CSkinFrameWnd : public FrameWindow
{
    Q_OBJECT

public:
    explicit CSkinFrameWnd(QWidget* parent = nullptr);
    ~CSkinFrameWnd() override;

    MenuBarHotTracker& HotTracker() const { return *m_pHotTracker; }
    // True while one of the frame's menus is open.
    bool InMenuLoop() const;

protected:
    QMenu* NewMenu(const QString& title) override;
    void changeEvent(QEvent* event) override;

private:
    void OnSysColorChange();
    void ApplyMenuBackground();

    MenuBarHotTracker* m_pHotTracker;
};
