#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

// The "CAP", "NUM" and "SCRL" panes at the right of the status bar, shown
// greyed while their lock is off (always, where the platform does not tell
// the lock state). Refreshed when a key is released and when the
// program becomes active, since a lock may change in another window.
class KeyLockIndicators : public QObject
{
    Q_OBJECT

public:
    explicit KeyLockIndicators(QStatusBar* statusBar);
    ~KeyLockIndicators() override;

    void Refresh();

    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
