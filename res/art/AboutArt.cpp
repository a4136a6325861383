#include "res/art/AboutArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 250;
constexpr int kPanelWidth = 144;  // where the dialog draws its line

void DrawLightGround(QPainter& p)
{
    QLinearGradient ground(0, 0, 0, kHeight);
    ground.setColorAt(0, QColor(246, 248, 252));
    ground.setColorAt(1, QColor(214, 224, 240));
    p.fillRect(QRect(kPanelWidth, 0, kWidth - kPanelWidth, kHeight), ground);
    // Two soft waves low on the right, well away from the text.
    for (int i = 0; i < 2; ++i) {
        QPainterPath wave;
        const double base = 172 + i * 22;
        wave.moveTo(kPanelWidth, base);
        wave.cubicTo(240, base - 40, 330, base + 30, kWidth, base - 20);
        wave.lineTo(kWidth, kHeight);
        wave.lineTo(kPanelWidth, kHeight);
        wave.closeSubpath();
        p.fillPath(wave, QColor(120, 150, 210, i == 0 ? 40 : 55));
    }
}

void DrawPanel(QPainter& p)
{
    QLinearGradient panel(0, 0, kPanelWidth, kHeight);
    panel.setColorAt(0, QColor(38, 44, 120));
    panel.setColorAt(1, QColor(104, 40, 128));
    p.fillRect(QRect(0, 0, kPanelWidth, kHeight), panel);
    // Soft lights.
    const struct
    {
        double x, y, r;
        QColor colour;
    } lights[] = {
        {30, 40, 38, QColor(120, 170, 255, 90)},
        {118, 70, 26, QColor(255, 140, 220, 80)},
        {40, 200, 46, QColor(255, 190, 120, 60)},
        {120, 215, 30, QColor(140, 255, 210, 60)},
    };
    for (const auto& light : lights) {
        QRadialGradient glow(light.x, light.y, light.r);
        glow.setColorAt(0, light.colour);
        glow.setColorAt(1, QColor(light.colour.red(), light.colour.green(), light.colour.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(light.x, light.y), light.r, light.r);
    }
}

void DrawNote(QPainter& p, QPointF at, double scale, const QColor& colour)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(0, 10, 7, 5));
    p.drawRect(QRectF(5.6, 0, 1.6, 12));
    QPainterPath flag;
    flag.moveTo(7.2, 0);
    flag.cubicTo(12, 2, 13, 4.5, 11, 8.5);
    flag.cubicTo(11, 5.5, 9.5, 4.5, 7.2, 4);
    flag.closeSubpath();
    p.drawPath(flag);
    p.restore();
}

void DrawPhone(QPainter& p)
{
    const QRectF phone(42, 62, 60, 118);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(phone.translated(4, 5), 12, 12);
    QLinearGradient body(phone.topLeft(), phone.bottomRight());
    body.setColorAt(0, QColor(235, 238, 248));
    body.setColorAt(1, QColor(150, 156, 185));
    p.setPen(QPen(QColor(30, 30, 70), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(phone, 12, 12);

    const QRectF screen(50, 76, 44, 52);
    QLinearGradient glass(screen.topLeft(), screen.bottomRight());
    glass.setColorAt(0, QColor(120, 210, 255));
    glass.setColorAt(1, QColor(40, 90, 190));
    p.setPen(QPen(QColor(25, 30, 70), 1));
    p.setBrush(glass);
    p.drawRoundedRect(screen, 3, 3);
    // A little wallpaper on the screen: hills under a sun.
    p.save();
    p.setClipRect(screen.adjusted(1, 1, -1, -1));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(82, 90), 7, 7);
    QPainterPath hills;
    hills.moveTo(50, 128);
    hills.cubicTo(60, 104, 72, 118, 80, 112);
    hills.cubicTo(86, 108, 92, 112, 95, 116);
    hills.lineTo(95, 128);
    hills.closeSubpath();
    p.fillPath(hills, QColor(60, 160, 90));
    p.restore();
    // Keys.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 76, 120));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(54 + col * 13, 136 + row * 12, 10, 7), 2.5, 2.5);
    p.drawRoundedRect(QRectF(64, 66, 16, 3), 1.5, 1.5);
}

void DrawFlyingContent(QPainter& p)
{
    DrawNote(p, QPointF(16, 72), 1.6, QColor(255, 200, 240));
    DrawNote(p, QPointF(108, 36), 1.2, QColor(180, 230, 255));
    DrawNote(p, QPointF(112, 150), 1.4, QColor(255, 230, 160));
    // A tiny picture card and a game pad.
    p.save();
    p.translate(22, 120);
    p.rotate(-12);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(0, 0, 18, 14), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 180));
    QPolygonF peak;
    peak << QPointF(2, 12) << QPointF(8, 5) << QPointF(12, 9) << QPointF(14, 7) << QPointF(17, 12);
    p.drawPolygon(peak);
    p.restore();
    p.save();
    p.translate(100, 196);
    p.rotate(10);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawRoundedRect(QRectF(0, 0, 24, 12), 6, 6);
    p.drawLine(QPointF(5, 6), QPointF(9, 6));
    p.drawLine(QPointF(7, 4), QPointF(7, 8));
    p.drawEllipse(QPointF(17, 5), 1.2, 1.2);
    p.drawEllipse(QPointF(19.5, 7.5), 1.2, 1.2);
    p.restore();
}

} // namespace

QImage DrawAboutPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    DrawLightGround(p);
    DrawPanel(p);
    DrawPhone(p);
    DrawFlyingContent(p);
    return image;
}
