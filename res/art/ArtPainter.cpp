#include "res/art/ArtPainter.h"

#include <QPolygonF>
#include <QTransform>

namespace {

// The up arrow; the others are turned from it.
QPainterPath UpArrow()
{
    QPolygonF outline;
    outline << QPointF(12, 2) << QPointF(21, 11) << QPointF(16, 11) << QPointF(16, 20) << QPointF(8, 20)
            << QPointF(8, 11) << QPointF(3, 11) << QPointF(12, 2);
    QPainterPath path;
    path.addPolygon(outline);
    return path;
}

} // namespace

QPainterPath ArrowPath(ToolShape shape)
{
    const QPainterPath up = UpArrow();
    QTransform turn;
    switch (shape) {
    case ToolShape::PrevItem:
        // Up turned a quarter to the left about the cell's centre.
        turn.translate(12, 11);
        turn.rotate(-90);
        turn.translate(-12, -11);
        break;
    case ToolShape::NextItem:
        turn.translate(12, 11);
        turn.rotate(90);
        turn.translate(-12, -11);
        break;
    default:
        break;
    }
    return turn.map(up);
}

HouseParts HousePath()
{
    HouseParts house;
    QPolygonF roof;
    roof << QPointF(12, 2) << QPointF(22, 11) << QPointF(2, 11) << QPointF(12, 2);
    house.roof.addPolygon(roof);
    house.chimney.addRect(16, 3, 3, 5);
    house.walls.addRect(5, 11, 14, 9);
    house.door.addRect(8, 14, 4, 6);
    house.window.addRect(14, 13, 3, 3);
    return house;
}
