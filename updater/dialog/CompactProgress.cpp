#include "updater/dialog/CompactProgress.h"

#include "app/framework/WindowExposure.h"
#include "updater/dialog/CProgressDlg.h"

void OpenCompactProgress(CProgressDlg& dlg, const char* caption, const char* text, int range)
{
    dlg.Create();
    dlg.ShowCompact();
    dlg.CenterOnOwner();
    dlg.m_upperText = text;
    dlg.setWindowTitle(QString::fromUtf8(caption));
    dlg.UpdateData();
    dlg.show();
    // Painted now, without the event loop: the work that follows lets no
    // event through, and what is painted before the window is up is lost.
    if (WaitUntilExposed(dlg))
        dlg.repaint();
    dlg.SetRange(ProgressTarget::UpperBar, range);
}
