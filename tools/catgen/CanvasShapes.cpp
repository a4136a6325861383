#include "tools/catgen/CanvasShapes.h"

#include <algorithm>
#include <utility>

void DrawShape(PixelCanvas& canvas, Shape shape, int x, int y, int size, std::uint8_t ink,
               std::uint8_t paper)
{
    const auto at = [&](int fx, int fy) {  // a point given in 12ths of the box
        return std::pair<int, int>{x + fx * size / 12, y + fy * size / 12};
    };
    switch (shape) {
    case Shape::Heart: {
        const int r = size / 4;
        canvas.FillCircle(x + r, y + r + size / 12, r, ink);
        canvas.FillCircle(x + size - 1 - r, y + r + size / 12, r, ink);
        canvas.FillPolygon({at(0, 4), at(12, 4), at(6, 12)}, ink);
        break;
    }
    case Shape::Star:
        canvas.FillPolygon({at(6, 0), at(8, 4), at(12, 4), at(9, 7), at(10, 12), at(6, 9),
                            at(2, 12), at(3, 7), at(0, 4), at(4, 4)},
                           ink);
        break;
    case Shape::Note:
        canvas.FillCircle(x + size / 4, y + size * 3 / 4, size / 4, ink);
        canvas.FillRect(x + size / 2 - 1, y, std::max(1, size / 10), size * 3 / 4, ink);
        canvas.FillPolygon({at(5, 0), at(11, 2), at(11, 5), at(5, 3)}, ink);
        break;
    case Shape::Diamond: canvas.FillPolygon({at(6, 0), at(12, 6), at(6, 12), at(0, 6)}, ink); break;
    case Shape::Ring:
        canvas.FillCircle(x + size / 2, y + size / 2, size / 2, ink);
        canvas.FillCircle(x + size / 2, y + size / 2, size / 4, paper);
        break;
    default:
        canvas.FillPolygon({at(7, 0), at(2, 7), at(6, 7), at(4, 12), at(10, 4), at(6, 4)}, ink);
        break;
    }
}

Shape PickShape(CatgenRandom& random)
{
    return static_cast<Shape>(random.Below(static_cast<std::uint32_t>(Shape::Count)));
}
