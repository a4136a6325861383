#include "updater/dialog/FlatBarStyle.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionProgressBar>
#include <algorithm>

namespace {

// The width of the fill for `value` in a field `width` pixels wide.
int FillWidth(int minimum, int maximum, int value, int width)
{
    if (maximum <= minimum || width <= 0)
        return 0;
    const qint64 span = static_cast<qint64>(maximum) - minimum;
    const qint64 done = std::clamp<qint64>(static_cast<qint64>(value) - minimum, 0, span);
    return static_cast<int>(done * width / span);
}

// A one-pixel frame without its corner pixels, which reads as a slightly
// rounded edge at no cost.
void DrawFrame(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.setPen(color);
    painter.drawLine(rect.left() + 1, rect.top(), rect.right() - 1, rect.top());
    painter.drawLine(rect.left() + 1, rect.bottom(), rect.right() - 1, rect.bottom());
    painter.drawLine(rect.left(), rect.top() + 1, rect.left(), rect.bottom() - 1);
    painter.drawLine(rect.right(), rect.top() + 1, rect.right(), rect.bottom() - 1);
}

void DrawGroove(QPainter& painter, const QStyleOption& option)
{
    if (option.rect.width() < 3 || option.rect.height() < 3)
        return;
    painter.fillRect(option.rect.adjusted(1, 1, -1, -1), option.palette.base());
    DrawFrame(painter, option.rect, option.palette.window().color().darker(140));
}

// The fill covers the field's frame with its own, as the usual style draws it.
void DrawFill(QPainter& painter, const QStyleOptionProgressBar& bar)
{
    const QRect& field = bar.rect;
    const int fill = FillWidth(bar.minimum, bar.maximum, bar.progress, field.width());
    if (fill < 3 || field.height() < 3)
        return;
    const QRect done(field.left(), field.top(), fill, field.height());
    const QColor highlight = bar.palette.highlight().color();
    QLinearGradient shade(done.topLeft(), done.bottomLeft());
    shade.setColorAt(0, highlight.lighter(120));
    shade.setColorAt(1, highlight);
    painter.fillRect(done.adjusted(1, 1, -1, -1), shade);
    DrawFrame(painter, done, highlight.darker(140));
}

} // namespace

FlatBarStyle::FlatBarStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

FlatBarStyle* FlatBarStyle::Shared()
{
    static QPointer<FlatBarStyle> shared;
    if (!shared) {
        shared = new FlatBarStyle;
        shared->setParent(QCoreApplication::instance());
    }
    return shared;
}

void FlatBarStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option);
    // Vertical and inverted bars, which the dialog has none of, stay the style's.
    const bool plain = bar && (bar->state & State_Horizontal) && !bar->invertedAppearance;
    if (plain && element == CE_ProgressBarGroove) {
        DrawGroove(*painter, *option);
        return;
    }
    if (plain && element == CE_ProgressBarContents) {
        DrawFill(*painter, *bar);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
