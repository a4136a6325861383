#include "skin/FlatMenuStyle.h"

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"
#include "skin/SoftShadow.h"

void FlatMenuStyle::DrawBorder(QPainter& painter, const QRect& window, const MenuWindowRecord* record,
                               const MenuColors& colors) const
{
    const SystemColors& system = colors.System();
    DrawOutside(painter, window, ApplySoftShadow(Behind(window, record, colors)));
    // A thin line, darker than the selection frame, then a line of the
    // items' background.
    const QRect menuRect = GetMenuRect(window);
    const QRgb line = GradientLook() ? Darken(100, system.highlight) : Darken(100, system.buttonShadow);
    DrawFrame(painter, menuRect, line);
    DrawFrame(painter, menuRect.adjusted(1, 1, -1, -1), FlatItemBackground(colors, GradientLook(), colors.MenuBackground()));
}

void FlatMenuStyle::EraseBackground(QPainter& painter, const QRect& client, const MenuColors& colors) const
{
    painter.fillRect(client, QColor(FlatItemBackground(colors, GradientLook(), colors.MenuBackground())));
}
