#pragma once

#include <QRgb>

class QPalette;

// The system colours the skin draws with, read from a Qt palette. Qt has
// no caption colours: the active caption takes the highlight, its text the
// highlighted text.
struct SystemColors
{
    QRgb window;          // the background of windows with text (white)
    QRgb windowText;
    QRgb menu;
    QRgb menuText;
    QRgb menuBar;
    QRgb highlight;
    QRgb highlightText;
    QRgb grayText;
    QRgb buttonFace;
    QRgb buttonText;
    QRgb buttonHighlight;  // the light edge of a raised frame
    QRgb buttonShadow;
    QRgb darkShadow;
    QRgb activeCaption;
    QRgb captionText;

    static SystemColors FromPalette(const QPalette& palette);
};
