#pragma once

#include <QImage>
#include <QList>

// A palette of at most `colours` entries for the image, by median cut: the
// colour box with the widest channel range is split at its median until
// there are enough boxes; each entry is the mean of its box.
QList<QRgb> MedianCutPalette(const QImage& image, int colours);

// The image with each pixel mapped to the nearest palette entry and the
// error diffused to its neighbours (Floyd-Steinberg).
QImage ToIndexed(const QImage& image, const QList<QRgb>& palette);
