#include "updater/dialog/ProgressDlgLayout.h"

namespace {

// number * numerator / denominator, rounded half away from zero.
int MulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

DialogUnitRect ProgressControlRect(int id)
{
    switch (id) {
    case IDC_PROGRESS_UPPER_TEXT: return {10, 10, 280, 10};
    case IDC_PROGRESS_UPPER_BAR: return {10, 25, 280, 20};
    case IDC_PROGRESS_LOWER_TEXT: return {10, 55, 280, 10};
    case IDC_PROGRESS_MARKER: return {0, 60, 80, 1};
    case IDC_PROGRESS_LOWER_BAR: return {10, 70, 280, 20};
    case IDC_PROGRESS_CANCEL: return {125, 100, 50, 14};
    default: return {0, 0, 0, 0};
    }
}

int DialogUnitsToPixelsX(int du)
{
    return MulDiv(du, kDialogBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int du)
{
    return MulDiv(du, kDialogBaseUnitY, 8);
}

QRect DialogRectToPixels(const DialogUnitRect& rect)
{
    const int left = DialogUnitsToPixelsX(rect.x);
    const int top = DialogUnitsToPixelsY(rect.y);
    const int right = DialogUnitsToPixelsX(rect.x + rect.width);
    const int bottom = DialogUnitsToPixelsY(rect.y + rect.height);
    return QRect(left, top, right - left, bottom - top);
}
