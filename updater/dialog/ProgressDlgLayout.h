#pragma once

#include <QRect>

// Dialog template 130, the progress dialog, in dialog units, and their
// conversion to pixels with the base units of the template's font
// (MS Sans Serif 8 pt: 6 x 13 pixels, so x px = du * 6 / 4 and
// y px = du * 13 / 8, rounded as the platform's MulDiv rounds).

inline constexpr int IDD_PROGRESS = 130;
inline constexpr int IDC_PROGRESS_UPPER_BAR = 1000;
inline constexpr int IDC_PROGRESS_LOWER_BAR = 1001;
inline constexpr int IDC_PROGRESS_UPPER_TEXT = 1002;
inline constexpr int IDC_PROGRESS_LOWER_TEXT = 1003;
inline constexpr int IDC_PROGRESS_MARKER = 1004;
inline constexpr int IDC_PROGRESS_CANCEL = 2;  // IDCANCEL

inline constexpr int kProgressDialogWidthDu = 302;
inline constexpr int kProgressDialogHeightDu = 122;
inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;

struct DialogUnitRect
{
    int x;
    int y;
    int width;
    int height;
};

// The template's rectangle of a control; all zero for an unknown id.
DialogUnitRect ProgressControlRect(int id);

int DialogUnitsToPixelsX(int du);
int DialogUnitsToPixelsY(int du);

// Each edge converted on its own, as a dialog maps its rectangles: the
// right edge is that of x + width, so rounding never adds up.
QRect DialogRectToPixels(const DialogUnitRect& rect);
