#pragma once

#include <QColor>
#include <QPainterPath>

// The shapes of the toolbar images in a cell of 24 x 23 pixels, shared by
// the 16-colour bitmap and the high-colour strip.
enum class ToolShape
{
    GoUp,
    PrevItem,
    NextItem,
    Homepage,
    UpdateDatabase,
};

// Outline of an arrow (GoUp, PrevItem, NextItem) in cell coordinates.
QPainterPath ArrowPath(ToolShape shape);

struct HouseParts
{
    QPainterPath roof;
    QPainterPath chimney;
    QPainterPath walls;
    QPainterPath door;
    QPainterPath window;
};
HouseParts HousePath();

// The 16 colours of bitmap 128.
namespace Vga {
inline const QColor kBlack(0, 0, 0);
inline const QColor kMaroon(128, 0, 0);
inline const QColor kGreen(0, 128, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kTeal(0, 128, 128);
inline const QColor kGrey(128, 128, 128);
inline const QColor kSilver(192, 192, 192);
inline const QColor kRed(255, 0, 0);
inline const QColor kLime(0, 255, 0);
inline const QColor kYellow(255, 255, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kAqua(0, 255, 255);
inline const QColor kWhite(255, 255, 255);
} // namespace Vga
