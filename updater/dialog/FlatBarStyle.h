#pragma once

#include <QProxyStyle>

// Draws a progress bar with plain rectangles in the palette's colours: a
// framed field and a shaded fill, no curves, no stripes. Everything else is
// the application style's.
//
// The progress dialog repaints its bars synchronously from inside the work,
// dozens of times per table. The usual style draws the bar with antialiased
// curves and stripes, whose spans Qt's raster engine hands to a thread pool
// and waits for at every paint; on a busy machine that waiting was most of
// the cost of a large table's dialog.
class FlatBarStyle : public QProxyStyle
{
public:
    FlatBarStyle();

    // One style for all the dialog's bars, deleted with the application.
    static FlatBarStyle* Shared();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
