#include "app/CompactProgress.h"

#include "app/framework/WindowExposure.h"
#include "updater/CProgressDlg.h"

void OpenCompactProgress(CProgressDlg& dlg, const char* caption, const char* text, int range)
{
    dlg.Create();
    dlg.ShowCompact();
    dlg.CenterOnOwner();
    dlg.m_upperText = text;
    dlg.setWindowTitle(QString::fromUtf8(caption));
    dlg.UpdateData();
    dlg.show();
    // What is painted before the window is on screen is lost.
    WaitUntilExposed(dlg);
    dlg.UpdateWindow();
    dlg.SetRange(ProgressTarget::UpperBar, range);
}
