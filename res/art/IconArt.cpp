#include "res/art/IconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "res/art/ArtPainter.h"

namespace {

constexpr int kCellWidth = 24;
constexpr int kCellHeight = 23;

// A flat shape with a one-pixel bevel: light inside the top and left edges,
// dark inside the bottom and right ones, and a black outline.
void BevelShape16(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& light,
                  const QColor& dark)
{
    p.fillPath(path, fill);
    p.save();
    p.setClipPath(path);
    p.setPen(QPen(light, 1));
    p.drawPath(path.translated(1, 1));
    p.setPen(QPen(dark, 1));
    p.drawPath(path.translated(-1, -1));
    p.restore();
    p.setPen(QPen(Vga::kBlack, 1));
    p.drawPath(path);
}

void DrawHouse16(QPainter& p)
{
    const HouseParts house = HousePath();
    BevelShape16(p, house.chimney, Vga::kMaroon, Vga::kRed, Vga::kBlack);
    BevelShape16(p, house.walls, Vga::kWhite, Vga::kWhite, Vga::kSilver);
    BevelShape16(p, house.roof, Vga::kRed, Vga::kYellow, Vga::kMaroon);
    BevelShape16(p, house.door, Vga::kNavy, Vga::kBlue, Vga::kNavy);
    BevelShape16(p, house.window, Vga::kAqua, Vga::kWhite, Vga::kTeal);
}

// A shape filled with a vertical gradient, a soft inner highlight and a
// darker outline, antialiased.
void GlossyShape(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
                 const QColor& outline)
{
    const QRectF box = path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.fillPath(path, gradient);
    p.save();
    p.setClipPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawPath(path.translated(0.9, 0.9));
    p.restore();
    p.setPen(QPen(outline, 1.1));
    p.drawPath(path);
}

void DrawArrowHi(QPainter& p, ToolShape shape)
{
    const QPainterPath path = ArrowPath(shape);
    if (shape == ToolShape::GoUp)
        GlossyShape(p, path, QColor(140, 220, 110), QColor(30, 130, 40), QColor(20, 80, 25));
    else
        GlossyShape(p, path, QColor(120, 180, 250), QColor(25, 80, 190), QColor(15, 45, 120));
}

void DrawHouseHi(QPainter& p)
{
    const HouseParts house = HousePath();
    GlossyShape(p, house.chimney, QColor(190, 90, 70), QColor(130, 50, 40), QColor(90, 30, 25));
    GlossyShape(p, house.walls, QColor(255, 250, 235), QColor(225, 210, 180), QColor(120, 100, 80));
    GlossyShape(p, house.roof, QColor(245, 110, 80), QColor(180, 40, 30), QColor(110, 25, 20));
    GlossyShape(p, house.door, QColor(130, 90, 60), QColor(85, 55, 35), QColor(60, 35, 20));
    GlossyShape(p, house.window, QColor(200, 235, 255), QColor(90, 160, 220), QColor(40, 80, 130));
}

void DrawDatabaseHi(QPainter& p)
{
    // A cylinder of records...
    QPainterPath body;
    body.moveTo(4, 5);
    body.lineTo(4, 17);
    body.arcTo(QRectF(4, 14.5, 14, 5), 180, 180);
    body.lineTo(18, 5);
    body.closeSubpath();
    GlossyShape(p, body, QColor(150, 190, 230), QColor(50, 90, 150), QColor(30, 50, 90));
    QPainterPath top;
    top.addEllipse(QRectF(4, 2.5, 14, 5));
    GlossyShape(p, top, QColor(225, 240, 255), QColor(150, 190, 230), QColor(30, 50, 90));
    p.setPen(QPen(QColor(30, 50, 90, 120), 1));
    p.drawArc(QRectF(4, 6.5, 14, 5), 180 * 16, 180 * 16);
    p.drawArc(QRectF(4, 10.5, 14, 5), 180 * 16, 180 * 16);
    // ... being refreshed: a green turning arrow at the lower right.
    p.setPen(QPen(QColor(20, 110, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(12.5, 11.5, 9, 9), 30 * 16, 260 * 16);
    QPolygonF head;
    head << QPointF(22.5, 11.5) << QPointF(22.5, 16.5) << QPointF(18, 13.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 110, 30));
    p.drawPolygon(head);
}

} // namespace

QImage DrawToolBar16()
{
    QImage image(kCellWidth * 4, kCellHeight, QImage::Format_RGB32);
    image.fill(Vga::kSilver);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const ToolShape shapes[] = {ToolShape::GoUp, ToolShape::PrevItem, ToolShape::NextItem, ToolShape::Homepage};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(kCellWidth * i, 0);
        if (shapes[i] == ToolShape::Homepage)
            DrawHouse16(p);
        else if (shapes[i] == ToolShape::GoUp)
            BevelShape16(p, ArrowPath(shapes[i]), Vga::kGreen, Vga::kLime, Vga::kBlack);
        else
            BevelShape16(p, ArrowPath(shapes[i]), Vga::kBlue, Vga::kAqua, Vga::kNavy);
        p.restore();
    }
    return image;
}

QImage DrawToolBarHiColor()
{
    QImage art(kCellWidth * 5, kCellHeight, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing, true);
        const ToolShape shapes[] = {ToolShape::GoUp, ToolShape::PrevItem, ToolShape::NextItem,
                                    ToolShape::Homepage, ToolShape::UpdateDatabase};
        for (int i = 0; i < 5; ++i) {
            p.save();
            p.translate(kCellWidth * i, 0);
            if (shapes[i] == ToolShape::Homepage)
                DrawHouseHi(p);
            else if (shapes[i] == ToolShape::UpdateDatabase)
                DrawDatabaseHi(p);
            else
                DrawArrowHi(p, shapes[i]);
            p.restore();
        }
    }
    const QColor face(236, 236, 236);
    const QColor key(255, 0, 255);
    QImage strip(art.size(), QImage::Format_RGB888);
    const QImage straight = art.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb c = straight.pixel(x, y);
            const int a = qAlpha(c);
            if (a < 16) {
                strip.setPixelColor(x, y, key);
                continue;
            }
            const auto blend = [a](int fg, int bg) { return (fg * a + bg * (255 - a)) / 255; };
            strip.setPixelColor(x, y, QColor(blend(qRed(c), face.red()), blend(qGreen(c), face.green()),
                                             blend(qBlue(c), face.blue())));
        }
    return strip;
}

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 48.0, size / 48.0);

    // The phone.
    QLinearGradient body(10, 2, 38, 46);
    body.setColorAt(0, QColor(70, 80, 170));
    body.setColorAt(1, QColor(30, 30, 90));
    p.setPen(QPen(QColor(20, 20, 60), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(11, 2, 26, 44), 6, 6);
    // Its screen, with a note on it.
    QLinearGradient screen(14, 7, 34, 30);
    screen.setColorAt(0, QColor(190, 235, 255));
    screen.setColorAt(1, QColor(90, 170, 230));
    p.setPen(QPen(QColor(20, 30, 70), 1));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(14.5, 7, 19, 24), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 40, 120));
    p.drawEllipse(QRectF(18, 22, 6, 4.5));
    p.drawRect(QRectF(22.6, 11, 1.6, 13));
    QPainterPath flag;
    flag.moveTo(24.2, 11);
    flag.cubicTo(29, 13, 30, 15, 28, 19);
    flag.cubicTo(28, 16, 26.5, 15, 24.2, 14.6);
    flag.closeSubpath();
    p.drawPath(flag);
    // Keys.
    p.setBrush(QColor(200, 210, 255));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(17 + col * 5.5, 34 + row * 3.6, 3, 2.2));
    return image;
}
