#include "skin/MenuPainting.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include "app/framework/DialogUnits.h"
#include "skin/MenuMetrics.h"

namespace {

constexpr int kBandWidth = 2;

QRgb StepColour(QRgb from, QRgb to, int step, int steps)
{
    const auto channel = [step, steps](int a, int b) { return a + MulDiv(b - a, step, steps); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

void FillBands(QPainter& painter, const QRect& rect, QRgb from, QRgb to, Qt::Orientation orientation)
{
    painter.fillRect(rect, QColor(to));
    const int length = orientation == Qt::Vertical ? rect.height() : rect.width();
    const int bands = length / kBandWidth;
    for (int band = 0; band < bands; ++band) {
        const QColor colour(StepColour(from, to, band, bands));
        if (orientation == Qt::Vertical)
            painter.fillRect(rect.left(), rect.top() + band * kBandWidth, rect.width(), kBandWidth, colour);
        else
            painter.fillRect(rect.left() + band * kBandWidth, rect.top(), kBandWidth, rect.height(), colour);
    }
}

} // namespace

void FillGradient(QPainter& painter, const QRect& rect, QRgb from, QRgb to, Qt::Orientation orientation,
                  bool smooth)
{
    if (rect.isEmpty())
        return;
    if (!smooth) {
        FillBands(painter, rect, from, to, orientation);
        return;
    }
    // From the centre of the first pixel row to that of the last, so that
    // both ends show their colours exactly.
    const QPointF start = QPointF(rect.topLeft()) + QPointF(0.5, 0.5);
    const QPointF end = orientation == Qt::Vertical ? QPointF(start.x(), rect.bottom() + 0.5)
                                                    : QPointF(rect.right() + 0.5, start.y());
    QLinearGradient gradient(start, end);
    gradient.setColorAt(0, QColor(from));
    gradient.setColorAt(1, QColor(to));
    painter.fillRect(rect, gradient);
}

void DrawFrame(QPainter& painter, const QRect& rect, QRgb colour)
{
    Draw3DRect(painter, rect, colour, colour);
}

void DrawFramedGradient(QPainter& painter, const QRect& rect, QRgb from, QRgb to, QRgb frame, bool smooth)
{
    FillGradient(painter, rect.adjusted(1, 1, -1, -1), from, to, Qt::Vertical, smooth);
    DrawFrame(painter, rect, frame);
}

void Draw3DRect(QPainter& painter, const QRect& rect, QRgb topLeft, QRgb bottomRight)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, QColor(topLeft));
    painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, QColor(topLeft));
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), QColor(bottomRight));
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, QColor(bottomRight));
}

void DrawEtchedLine(QPainter& painter, int left, int right, int y, QRgb dark, QRgb light)
{
    painter.fillRect(left, y, right - left + 1, 1, QColor(dark));
    painter.fillRect(left, y + 1, right - left + 1, 1, QColor(light));
}

void DrawCheckMark(QPainter& painter, const QRect& box, QRgb colour, bool radio)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPoint centre = box.center();
    if (radio) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(colour));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(QRectF(centre.x() - 2.5, centre.y() - 2.5, 6, 6));
    } else {
        // The platform's 7 x 7 tick, three pixels thick.
        painter.setPen(QColor(colour));
        const QPoint origin(centre.x() - 3, centre.y() - 3);
        for (int row = 0; row < 3; ++row) {
            const QPoint a = origin + QPoint(0, 2 + row);
            const QPoint b = origin + QPoint(2, 4 + row);
            const QPoint c = origin + QPoint(6, row);
            painter.drawLine(a, b);
            painter.drawLine(b, c);
        }
    }
    painter.restore();
}

void DrawSubMenuArrow(QPainter& painter, const QRect& itemRect, int width, QRgb colour)
{
    // A solid triangle 4 pixels wide and 7 high, centred in the last
    // `width` pixels of the item.
    const int x = itemRect.right() - width + (width - 4) / 2;
    const int y = itemRect.center().y() - 3;
    for (int column = 0; column < 4; ++column)
        painter.fillRect(x + column, y + column, 1, 7 - 2 * column, QColor(colour));
}

void DrawMenuText(QPainter& painter, const QRect& rect, const MenuItem& item, const MenuMetrics& metrics,
                  QRgb colour)
{
    painter.save();
    painter.setFont(metrics.ItemFont(item));
    painter.setPen(QColor(colour));
    const int mnemonic = metrics.underlineMnemonics ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    const int flags = mnemonic | Qt::TextSingleLine | Qt::AlignVCenter;
    if (item.Has(MenuItemMenuBar)) {
        painter.drawText(rect, flags | Qt::AlignHCenter, item.text);
    } else {
        const qsizetype firstTab = item.text.indexOf(QLatin1Char('\t'));
        const qsizetype lastTab = item.text.lastIndexOf(QLatin1Char('\t'));
        painter.drawText(rect, flags | Qt::AlignLeft, item.text.left(firstTab));
        if (lastTab >= 0)
            painter.drawText(rect, flags | Qt::AlignRight, item.text.mid(lastTab + 1));
    }
    painter.restore();
}

QPixmap MonochromeShadow(const QPixmap& image, QRgb colour)
{
    QImage shadow = image.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shadow.rect(), QColor(colour));
    painter.end();
    return QPixmap::fromImage(shadow);
}

QPoint IconPosition(const QRect& column, const QPixmap& icon, const MenuMetrics& metrics)
{
    const QSize size = icon.deviceIndependentSize().toSize();
    const int x = size.width() == metrics.iconSize.width() ? column.left() + 3
                                                          : column.left() + (column.width() - size.width()) / 2;
    return {x, column.top() + (column.height() - size.height()) / 2};
}

void DrawItemIcon(QPainter& painter, QPoint at, const MenuItem& item, QRgb shadow)
{
    const MenuItemIcon& icon = item.icon;
    if (item.Has(MenuItemDisabled)) {
        painter.drawPixmap(at, icon.disabled.isNull() ? icon.image : icon.disabled);
    } else if (item.Has(MenuItemSelected)) {
        painter.drawPixmap(at + QPoint(1, 1), MonochromeShadow(icon.image, shadow));
        painter.drawPixmap(at - QPoint(1, 1), icon.image);
    } else {
        painter.drawPixmap(at, icon.normal.isNull() ? icon.image : icon.normal);
    }
}
