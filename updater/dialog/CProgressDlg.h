#pragma once

#include <QDialog>
#include <QPointer>
#include <string>
#include <vector>

#include "updater/ProgressTarget.h"

class QCloseEvent;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

// The small modeless window a long operation shows while it runs on the
// user-interface thread: two text lines, two bars and Cancel, laid out from
// dialog template 130 (ProgressDlgLayout.h). The full form serves the
// update; the compact form (ShowCompact) only the upper text and bar.
//
// Every user does the same: construct it as a local, Create() it with the
// owner, ShowCompact() and/or CenterOnOwner(), set the texts, UpdateData(),
// show() and UpdateWindow(); then work, updating texts and bars and
// repainting with UpdateWindow() after each unit. The window goes with the
// object; there is no closing step.
class CProgressDlg : public QDialog, public ProgressTarget
{
    Q_OBJECT

public:
    CProgressDlg();
    ~CProgressDlg() override;

    // Owned by `owner`, or without one by the application's main window (a
    // top-level QMainWindow, if there is one). Not shown yet. Returns true.
    bool Create(QWidget* owner = nullptr);
    QWidget* Owner() const { return m_owner; }

    // Centres the dialog over its owner, halving both widths (and heights)
    // before the subtraction, each truncated toward zero. Its size stays.
    void CenterOnOwner();
    // Hides Cancel, the lower text and the lower bar, and cuts the window
    // off at the bottom of the marker control (61 dialog units down).
    void ShowCompact();

    // ProgressTarget
    void UpdateData() override;
    void UpdateWindow() override;
    void SetPos(Bar bar, int position) override;
    int GetPos(Bar bar) const override;
    void PumpOneMessage() override;

    int GetRange(Bar bar) const;  // the maximum; the minimum is 0
    // The control of template id (1000 to 1004, 2 for Cancel), as
    // GetDlgItem finds it; null for any other id.
    QWidget* GetDlgItem(int id) const;

    // The framework's default: the dialog ends and hides.
    virtual void OnOK();
    // Only sets m_cancelled: the dialog stays, Cancel stays enabled, and
    // the work decides when to look at the flag.
    virtual void OnCancel();

protected:
    void ApplyRange(Bar bar, int maximum) override;
    void accept() override;   // Enter on a default button
    void reject() override;   // Escape
    void closeEvent(QCloseEvent* event) override;  // a cancel request

private:
    void ShowBar(Bar bar);
    void ShowText(QLabel* control, const std::string& text);
    void FitFont();

    QPointer<QWidget> m_owner;
    QFrame* m_marker;
    QPushButton* m_cancelButton;
    QLabel* m_lowerTextCtrl;
    QProgressBar* m_lowerBar;
    QProgressBar* m_upperBar;
    QLabel* m_upperTextCtrl;
    int m_range[2] = {100, 100};  // a bar's range before any is set, as the control's default
    int m_pos[2] = {0, 0};
    // Texts or a range changed since the last UpdateWindow: the controls
    // asked for a repaint that waits among the posted events. A bar's
    // position repaints at once by itself.
    bool m_changesToPaint = true;
};
