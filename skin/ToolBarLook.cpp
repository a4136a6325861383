#include "skin/ToolBarLook.h"

#include <QPainter>

#include "skin/MenuColors.h"
#include "skin/MenuPainting.h"
#include "skin/SkinColors.h"

namespace {

constexpr QRgb kGradientFrame = qRgb(4, 2, 132);
constexpr QRgb kHotFrom = qRgb(250, 239, 219);
constexpr QRgb kHotTo = qRgb(255, 212, 151);
constexpr QRgb kPressedFrom = qRgb(242, 151, 107);
constexpr QRgb kPressedTo = qRgb(249, 202, 163);
constexpr QRgb kOnFill = qRgb(255, 238, 194);
constexpr int kImageInset = 3;

int Pair(int styleId)
{
    return styleId & ~1;
}

bool IsClassic(int styleId)
{
    return Pair(styleId) == 0 || Pair(styleId) == 4;
}

// The colour the toolbar of the style is built on.
QRgb BaseColour(int styleId, const MenuColors& colors)
{
    switch (Pair(styleId)) {
    case 6: return colors.MenuBackground();
    case 8: return colors.IconColumnColor();
    default: return colors.FaceColor();
    }
}

void FramedFill(QPainter& painter, const QRect& button, QRgb fill, QRgb frame)
{
    painter.fillRect(button.adjusted(1, 1, -1, -1), QColor(fill));
    DrawFrame(painter, button, frame);
}

} // namespace

void DrawToolButtonBackground(QPainter& painter, const QRect& button, unsigned state, int styleId,
                              const MenuColors& colors)
{
    const bool pressed = state & ToolButtonPressed;
    const bool hot = state & ToolButtonHot;
    const bool on = state & ToolButtonOn;
    if (!pressed && !hot && !on)
        return;
    const SystemColors& system = colors.System();
    const bool smooth = colors.Environment().gradientFill;
    switch (Pair(styleId)) {
    case 2:
        FramedFill(painter, button, colors.SelectionColor(), system.highlight);
        break;
    case 6: {
        const QRgb frame = Darken(60, system.highlight);
        if (pressed)
            DrawFramedGradient(painter, button, system.highlight, frame, frame, smooth);
        else if (hot)
            DrawFramedGradient(painter, button, Lighten(60, system.highlight), system.highlight, frame, smooth);
        else
            FramedFill(painter, button, Lighten(60, system.highlight), frame);
        break;
    }
    case 8:
        if (pressed)
            DrawFramedGradient(painter, button, kPressedFrom, kPressedTo, kGradientFrame, smooth);
        else if (hot)
            DrawFramedGradient(painter, button, kHotFrom, kHotTo, kGradientFrame, smooth);
        else
            FramedFill(painter, button, kOnFill, kGradientFrame);
        break;
    default:
        if (pressed || on)
            Draw3DRect(painter, button, system.buttonShadow, system.highlightText);
        else
            Draw3DRect(painter, button, system.highlightText, system.buttonShadow);
        break;
    }
}

void DrawToolButtonImage(QPainter& painter, const QRect& button, const QPixmap& image, unsigned state,
                         int styleId, const MenuColors& colors)
{
    const QPoint corner = button.topLeft();
    const bool pressed = state & ToolButtonPressed;
    if (Pair(styleId) == 2 && (state & ToolButtonHot) && !pressed && !(state & ToolButtonDisabled)) {
        painter.drawPixmap(corner + QPoint(4, 4), MonochromeShadow(image, ToolBarShadowColor(styleId, colors)));
        painter.drawPixmap(corner + QPoint(2, 2), image);
        return;
    }
    const int inset = IsClassic(styleId) && pressed ? kImageInset + 1 : kImageInset;
    painter.drawPixmap(corner + QPoint(inset, inset), image);
}

bool DrawToolBarBackground(QPainter& painter, const QRect& bar, int styleId, const MenuColors& colors)
{
    if (IsClassic(styleId))
        return false;
    if (Pair(styleId) == 2) {
        painter.fillRect(bar, QColor(Mix86(colors.FaceColor(), colors.System().window)));
        return true;
    }
    // One row of buttons: lighter down to the base colour, then on to darker.
    const QRgb base = BaseColour(styleId, colors);
    const bool smooth = colors.Environment().gradientFill;
    const int half = bar.height() / 2;
    FillGradient(painter, QRect(bar.left(), bar.top(), bar.width(), half), Lighten(170, base), base, Qt::Vertical,
                 smooth);
    FillGradient(painter, QRect(bar.left(), bar.top() + half, bar.width(), bar.height() - half), base,
                 Darken(35, base), Qt::Vertical, smooth);
    return true;
}

void DrawToolBarSeparator(QPainter& painter, const QRect& separator, bool horizontalBar, int styleId,
                          const MenuColors& colors)
{
    QRgb dark = colors.System().darkShadow;
    QRgb light = colors.System().buttonHighlight;
    if (!IsClassic(styleId)) {
        const QRgb base = BaseColour(styleId, colors);
        dark = Darken(70, base);
        light = Lighten(200, base);
    }
    const QPoint centre = separator.center();
    if (horizontalBar) {
        const QRect line(centre.x() - 1, separator.top() + 2, 1, separator.height() - 4);
        painter.fillRect(line, QColor(dark));
        painter.fillRect(line.translated(1, 0), QColor(light));
    } else {
        const QRect line(separator.left() + 2, centre.y() - 1, separator.width() - 4, 1);
        painter.fillRect(line, QColor(dark));
        painter.fillRect(line.translated(0, 1), QColor(light));
    }
}

QRgb ToolBarShadowColor(int styleId, const MenuColors& colors)
{
    switch (Pair(styleId)) {
    case 2: return Bluish(colors.FaceColor());
    case 8: return Bluish(colors.IconColumnColor());
    default: return colors.System().buttonShadow;
    }
}
