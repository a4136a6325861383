#include "skin/SoftShadow.h"

#include <algorithm>

#include "skin/SkinColors.h"

namespace {

constexpr int kUntouched = 4;
constexpr int kFade = 4;

void DarkenPixel(QImage& image, int x, int y, int amount)
{
    if (amount > 0)
        image.setPixel(x, y, Darken(amount, image.pixel(x, y)));
}

void DarkenColumns(QImage& image, int height)
{
    const int width = image.width();
    for (int line = 1; line <= kShadowWidth && line <= width; ++line)
        for (int y = 0; y < image.height(); ++y)
            DarkenPixel(image, width - line, y, ShadowAmount(y, height, line));
}

} // namespace

int ShadowAmount(int position, int length, int line)
{
    if (position < kUntouched || position >= length)
        return 0;
    const int fadeIn = 6 * line * (position - kUntouched + 1);
    const int fadeOut = 6 * line * (length - position);
    return std::min({fadeIn, fadeOut, 30 * line});
}

QImage ApplySoftShadow(QImage behind)
{
    behind = behind.convertToFormat(QImage::Format_RGB32);
    const int width = behind.width();
    const int height = behind.height();
    DarkenColumns(behind, height);
    for (int line = 1; line <= kShadowWidth && line <= height; ++line)
        for (int x = 0; x < width - kShadowWidth; ++x)
            DarkenPixel(behind, x, height - line, ShadowAmount(x, width, line));
    return behind;
}

void DarkenAsShadowColumns(QImage& strip)
{
    // The menu goes on below the item: no fade at the bottom.
    DarkenColumns(strip, strip.height() + kFade);
}
