#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QPoint>
#include <QPointer>

class QMenuBar;
class QWidget;

// Hot tracking of a frame's menu bar by the skin, for remote sessions,
// where the system does not track it itself: every pointer movement over
// the frame is a hit test that redraws the item under the pointer hot, and
// a 100 ms timer keeps hit testing so that the pointer leaving the bar is
// noticed.
class MenuBarHotTracker : public QObject
{
    Q_OBJECT

public:
    // Item drawing states, as the platform numbers them.
    static constexpr unsigned StateHotLight = 0x40;
    static constexpr unsigned StateInactive = 0x80;

    MenuBarHotTracker(QMenuBar* bar, QWidget* frame);
    ~MenuBarHotTracker() override;

    // The tracker of a menu bar, if it has one.
    static MenuBarHotTracker* Of(const QWidget* bar);

    // Whether the skin tracks at all: only in a remote session.
    static bool Enabled();

    // The frame's hit test at a global position: true over the menu bar.
    bool OnNcHitTest(QPoint globalPosition);
    void OnEnterMenuLoop();
    void OnExitMenuLoop();
    void OnTimer();
    void Stop();

    int HotItem() const { return m_nHotItem; }
    bool InMenuLoop() const { return m_bMenuLoop; }
    int TimerId() const { return m_nTimerId; }
    // The state the item was last redrawn in.
    unsigned ItemState(int index) const;

    // Where the pointer is; tests set their own.
    void SetCursorSource(std::function<QPoint()> source);

signals:
    void ItemRedrawn(int index, unsigned state);

protected:
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RedrawItem(int index, unsigned state);
    bool FocusInFrame() const;

    QPointer<QMenuBar> m_pBar;
    QPointer<QWidget> m_pFrame;
    bool m_bMenuLoop = false;
    int m_nTimerId = 0;
    int m_nHotItem = -1;
    std::map<int, unsigned> m_drawnStates;
    std::function<QPoint()> m_cursor;
};
