#pragma once

#include <optional>
#include <vector>

#include <QImage>
#include <QRgb>

#include "skin/CSkinMenuIcons.h"

// An icon set cut from a strip of images, as toolbars keep them: one image
// of the icon size per command, left to right; a command id of 0 (a
// separator) takes no image.
class CSkinMenuBitmaps : public CSkinMenuIcons
{
public:
    // transparent: the strip's background colour; none takes the top-left pixel.
    CSkinMenuBitmaps(const QImage& strip, QSize iconSize, const std::vector<int>& commandIds,
                     std::optional<QRgb> transparent = std::nullopt);
};
