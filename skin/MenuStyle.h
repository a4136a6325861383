#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

#include "skin/MenuLooks.h"

class MenuColors;
class QMenu;
class QPainter;
struct MenuWindowRecord;

// One drawing style of the skin: how its items are measured and drawn and
// whether it draws the menu window's border itself. This class is the
// plain style: a raised three-dimensional border and no shadow.
class MenuStyle
{
public:
    using MeasureOp = QSize (*)(const MenuItem& item, const MenuMetrics& metrics);
    using DrawOp = void (*)(const MenuItemPaint& paint);

    MenuStyle(int id, bool drawsOwnBorder, MeasureOp measure, DrawOp drawItem, DrawOp drawTitle);
    virtual ~MenuStyle();
    MenuStyle(const MenuStyle&) = delete;
    MenuStyle& operator=(const MenuStyle&) = delete;

    int Id() const { return m_id; }
    // The style's pair: ids 2n and 2n + 1 look the same.
    int Pair() const { return m_id & ~1; }

    QSize Measure(const MenuItem& item, const MenuMetrics& metrics) const;
    // Titles go to the title operation, other items to the item operation.
    void DrawItem(const MenuItemPaint& paint) const;

    // Gives the window the style's border widths (and `extra` room for a
    // vertical title), keeping the margins it had in the record.
    virtual void OnSubclass(QMenu& menu, MenuWindowRecord& record, const QMargins& extra) const;
    // Gives the window back the margins it had.
    virtual void OnUnsubclass(QMenu& menu, MenuWindowRecord& record) const;
    bool DrawsOwnBorder() const { return m_drawsOwnBorder; }
    // The border, and what lies beyond it, of a window of `window` size;
    // `record` has the screen behind the window when it was captured.
    virtual void DrawBorder(QPainter& painter, const QRect& window, const MenuWindowRecord* record,
                            const MenuColors& colors) const;
    virtual void EraseBackground(QPainter& painter, const QRect& client, const MenuColors& colors) const;
    // The border widths around the items: 2 at the left and top, 5 and 6
    // at the right and bottom, with room for the skin's shadow; none for a
    // style that leaves the border to the toolkit.
    QMargins CalcNonClient() const;
    // A menu window with the skin's border sits 1 pixel higher.
    QPoint PosChanging(QPoint position) const;
    // The window without the room for the shadow.
    QRect GetMenuRect(const QRect& window) const;

protected:
    // The screen behind the window, or the window colour when none was captured.
    static QImage Behind(const QRect& window, const MenuWindowRecord* record, const MenuColors& colors);
    // Copies the parts of `image` outside the menu rectangle.
    void DrawOutside(QPainter& painter, const QRect& window, const QImage& image) const;

private:
    int m_id;
    bool m_drawsOwnBorder;
    MeasureOp m_measure;
    DrawOp m_drawItem;
    DrawOp m_drawTitle;
};
