#pragma once

#include <QImage>
#include <QRgb>

class MenuColors;

// The images of toolbar buttons and menu icons.

// The bitmap with every pixel of the transparent colour made transparent.
QImage MaskedImage(const QImage& bitmap, QRgb transparent);
// One pixel faded: each channel becomes (tint * 145 + 110 * grey) / 256,
// grey being the average of the pixel's three channels.
QRgb FadedPixel(QRgb pixel, QRgb tint);
// The image with every pixel faded; transparency is kept.
QImage FadedImage(const QImage& image, QRgb tint);
// The faded image of an opaque bitmap, transparent where the faded pixel
// equals the faded transparent colour.
QImage FadedBitmap(const QImage& bitmap, QRgb transparent, QRgb tint);
// The tint of faded images: Lighten (115) of the face colour, or of the
// icon column colour in styles 8 and 9.
QRgb FadeTint(int styleId, const MenuColors& colors);
