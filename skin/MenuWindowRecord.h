#pragma once

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QPointer>

class QMenu;

// State bits of a menu window.
enum MenuWindowState : unsigned
{
    MenuWindowWasVisible = 0x1,
    MenuWindowStyleChanged = 0x2,  // the skin took over the border
};

// What the skin keeps of a pop-up menu window while it is subclassed.
struct MenuWindowRecord
{
    QMargins oldMargins;     // the window's margins before the skin set its own
    QPoint position;         // the last position, once known
    bool positionKnown = false;
    unsigned state = 0;      // MenuWindowState bits
    QPointer<QMenu> menu;
    QImage background;       // the screen behind the window, for the shadow
};
