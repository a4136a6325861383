// The menu title, the same in every drawing style.

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "skin/MenuColors.h"
#include "skin/MenuLooks.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

constexpr int kTextPadding = 4;
constexpr qreal kCornerRadius = 5;  // a 10 x 10 corner ellipse

void FillTitleBackground(const MenuItemPaint& paint, const QRect& band, bool vertical)
{
    const int options = paint.item.titleOptions;
    const SystemColors& system = paint.colors.System();
    QPainter& painter = paint.painter;
    if (options & MenuTitleGradient) {
        const QRgb light = Mix86(system.window, paint.colors.MenuBackground());
        // A vertical title reads upwards: the caption colour at its start.
        if (vertical)
            FillGradient(painter, band, light, system.activeCaption, Qt::Vertical, paint.colors.Environment().gradientFill);
        else
            FillGradient(painter, band, system.activeCaption, light, Qt::Horizontal, paint.colors.Environment().gradientFill);
    } else if (options & MenuTitleRounded) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath path;
        path.addRoundedRect(QRectF(band).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
        painter.fillPath(path, QColor(system.activeCaption));
        painter.restore();
    } else {
        painter.fillRect(band, QColor(system.activeCaption));
    }
    if (options & MenuTitle3D)
        Draw3DRect(painter, band, system.buttonShadow, system.buttonHighlight);
}

// The text and its groove lines in a horizontal band; a vertical title is
// drawn the same way into a turned painter.
void DrawTitleText(const MenuItemPaint& paint, const QRect& band)
{
    const int options = paint.item.titleOptions;
    const SystemColors& system = paint.colors.System();
    QPainter& painter = paint.painter;
    const QFont font = paint.metrics.TitleFont();
    const int textWidth = QFontMetrics(font).horizontalAdvance(paint.item.text);
    const bool centred = (options & MenuTitleCentered) != 0;
    const int textLeft = centred ? band.left() + (band.width() - textWidth) / 2 : band.left() + kTextPadding;
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(system.captionText));
    painter.drawText(QRect(textLeft, band.top(), textWidth, band.height()), Qt::AlignVCenter | Qt::TextSingleLine,
                     paint.item.text);
    painter.restore();
    if (!(options & MenuTitleGrooves))
        return;
    const int middle = band.center().y();
    const auto grooves = [&](int left, int right) {
        if (right - left < 2)
            return;
        DrawEtchedLine(painter, left, right, middle - 2, system.buttonShadow, system.buttonHighlight);
        DrawEtchedLine(painter, left, right, middle + 1, system.buttonShadow, system.buttonHighlight);
    };
    grooves(textLeft + textWidth + kTextPadding, band.right() - kTextPadding);
    if (centred)
        grooves(band.left() + kTextPadding, textLeft - kTextPadding);
}

} // namespace

void DrawMenuTitle(const MenuItemPaint& paint)
{
    const bool vertical = (paint.item.titleOptions & MenuTitleVertical) != 0;
    FillTitleBackground(paint, paint.rect, vertical);
    if (!vertical) {
        DrawTitleText(paint, paint.rect);
        return;
    }
    QPainter& painter = paint.painter;
    painter.save();
    painter.translate(paint.rect.left(), paint.rect.bottom() + 1);
    painter.rotate(-90);
    DrawTitleText(paint, QRect(0, 0, paint.rect.height(), paint.rect.width()));
    painter.restore();
}
