#include "skin/ToolBarImages.h"

#include "skin/MenuColors.h"
#include "skin/SkinColors.h"

namespace {

template <typename PixelRule>
QImage MapPixels(const QImage& source, PixelRule rule)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = rule(line[x]);
    }
    return image;
}

QRgb Opaque(QRgb colour)
{
    return colour | 0xFF000000u;
}

} // namespace

QImage MaskedImage(const QImage& bitmap, QRgb transparent)
{
    return MapPixels(bitmap, [transparent](QRgb pixel) {
        return Opaque(pixel) == Opaque(transparent) ? QRgb(0) : pixel;
    });
}

QRgb FadedPixel(QRgb pixel, QRgb tint)
{
    const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
    const auto channel = [grey](int t) { return (t * 145 + 110 * grey) / 256; };
    return qRgba(channel(qRed(tint)), channel(qGreen(tint)), channel(qBlue(tint)), qAlpha(pixel));
}

QImage FadedImage(const QImage& image, QRgb tint)
{
    return MapPixels(image, [tint](QRgb pixel) { return FadedPixel(pixel, tint); });
}

QImage FadedBitmap(const QImage& bitmap, QRgb transparent, QRgb tint)
{
    return MaskedImage(FadedImage(bitmap, tint), FadedPixel(Opaque(transparent), tint));
}

QRgb FadeTint(int styleId, const MenuColors& colors)
{
    const bool iconColumn = styleId == 8 || styleId == 9;
    return Lighten(115, iconColumn ? colors.IconColumnColor() : colors.FaceColor());
}
