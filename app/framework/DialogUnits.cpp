#include "app/framework/DialogUnits.h"

#include <cstdint>

namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

int ToPixelsX(int units)
{
    return MulDiv(units, kBaseUnitX, 4);
}

int ToPixelsY(int units)
{
    return MulDiv(units, kBaseUnitY, 8);
}

} // namespace

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) /
                                   (denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int>(result);
}

QRect DialogUnitsToPixels(int x, int y, int width, int height)
{
    // Corners are converted, not sizes, so that neighbouring controls meet.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + width) - left, ToPixelsY(y + height) - top);
}

QSize DialogUnitsToPixels(int width, int height)
{
    return QSize(ToPixelsX(width), ToPixelsY(height));
}
