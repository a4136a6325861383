#include "skin/MenuStyle.h"

#include <QMenu>
#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuPainting.h"
#include "skin/MenuWindowRecord.h"
#include "skin/SoftShadow.h"

namespace {

// 2 pixels of border on every side, and room for the skin's shadow at the
// right and the bottom.
constexpr QMargins kOwnBorders(2, 2, 5, 6);

} // namespace

MenuStyle::MenuStyle(int id, bool drawsOwnBorder, MeasureOp measure, DrawOp drawItem, DrawOp drawTitle)
    : m_id(id), m_drawsOwnBorder(drawsOwnBorder), m_measure(measure), m_drawItem(drawItem), m_drawTitle(drawTitle)
{
}

MenuStyle::~MenuStyle() = default;

QSize MenuStyle::Measure(const MenuItem& item, const MenuMetrics& metrics) const
{
    return m_measure(item, metrics);
}

void MenuStyle::DrawItem(const MenuItemPaint& paint) const
{
    (paint.item.IsTitle() ? m_drawTitle : m_drawItem)(paint);
}

void MenuStyle::OnSubclass(QMenu& menu, MenuWindowRecord& record, const QMargins& extra) const
{
    record.oldMargins = menu.contentsMargins();
    if (m_drawsOwnBorder)
        record.state |= MenuWindowStyleChanged;
    menu.setContentsMargins(CalcNonClient() + extra);
}

void MenuStyle::OnUnsubclass(QMenu& menu, MenuWindowRecord& record) const
{
    menu.setContentsMargins(record.oldMargins);
    record.state &= ~MenuWindowStyleChanged;
}

QMargins MenuStyle::CalcNonClient() const
{
    return m_drawsOwnBorder ? kOwnBorders : QMargins();
}

QPoint MenuStyle::PosChanging(QPoint position) const
{
    return m_drawsOwnBorder ? position - QPoint(0, 1) : position;
}

QRect MenuStyle::GetMenuRect(const QRect& window) const
{
    return m_drawsOwnBorder ? window.adjusted(0, 0, -kShadowWidth, -kShadowWidth) : window;
}

QImage MenuStyle::Behind(const QRect& window, const MenuWindowRecord* record, const MenuColors& colors)
{
    if (record && record->background.size() == window.size())
        return record->background;
    QImage plain(window.size(), QImage::Format_RGB32);
    plain.fill(QColor(colors.System().window));
    return plain;
}

void MenuStyle::DrawOutside(QPainter& painter, const QRect& window, const QImage& image) const
{
    const QRect menuRect = GetMenuRect(window);
    if (menuRect == window)
        return;
    const QRect right(menuRect.right() + 1, window.top(), window.right() - menuRect.right(), window.height());
    const QRect bottom(window.left(), menuRect.bottom() + 1, menuRect.width(), window.bottom() - menuRect.bottom());
    for (const QRect& part : {right, bottom})
        painter.drawImage(part.topLeft(), image, part.translated(-window.topLeft()));
}

void MenuStyle::DrawBorder(QPainter& painter, const QRect& window, const MenuWindowRecord* record,
                           const MenuColors& colors) const
{
    // Nothing beyond the border: the screen behind shows as it was.
    DrawOutside(painter, window, Behind(window, record, colors));
    const QRect menuRect = GetMenuRect(window);
    const SystemColors& system = colors.System();
    Draw3DRect(painter, menuRect, system.menu, system.darkShadow);
    Draw3DRect(painter, menuRect.adjusted(1, 1, -1, -1), system.buttonHighlight, system.buttonShadow);
}

void MenuStyle::EraseBackground(QPainter& painter, const QRect& client, const MenuColors& colors) const
{
    painter.fillRect(client, QColor(colors.System().menu));
}
