#pragma once

class CProgressDlg;

// Opens the dialog in its compact form over the main window, as the long
// operations without Cancel show it: the caption, the upper text and the
// upper bar's range 0 to `range`, painted at once. No event is handled, so
// nothing else runs before the work that follows has returned.
void OpenCompactProgress(CProgressDlg& dlg, const char* caption, const char* text, int range);
