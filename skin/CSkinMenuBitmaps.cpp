#include "skin/CSkinMenuBitmaps.h"

#include "skin/ToolBarImages.h"

CSkinMenuBitmaps::CSkinMenuBitmaps(const QImage& strip, QSize iconSize, const std::vector<int>& commandIds,
                                   std::optional<QRgb> transparent)
    : CSkinMenuIcons(iconSize)
{
    if (strip.isNull())
        return;
    const QImage masked = MaskedImage(strip, transparent.value_or(strip.pixel(0, 0)));
    int x = 0;
    for (int commandId : commandIds) {
        if (x + iconSize.width() > strip.width())
            break;
        if (commandId == 0)
            continue;
        AddIcon(QPixmap::fromImage(masked.copy(x, 0, iconSize.width(), iconSize.height())), commandId);
        x += iconSize.width();
    }
}
