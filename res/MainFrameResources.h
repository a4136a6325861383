#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

class FrameWindow;
class QToolBar;

// Resource 128 of the main frame: its menu, accelerators and toolbar.
void LoadMainMenu(FrameWindow& frame);
void LoadMainAccelerators(FrameWindow& frame);
// The buttons Go up, Previous item, Next item, a separator and Visit
// homepage, with the images of bitmap 128. False if the bitmap is missing.
bool LoadMainToolBar(FrameWindow& frame, QToolBar& toolBar);

// The toolbar images: bitmap 128 (16 colours, four images) and the
// high-colour strip 131 (five images), 24 x 23 pixels each, with the
// background made transparent. Empty when the bitmap is missing.
QList<QPixmap> LoadToolBarImages(int bitmapId);
// A bitmap as it is stored, background and all; null when it is missing.
QImage LoadBitmapResource(int bitmapId);
inline constexpr int TOOLBAR_IMAGE_WIDTH = 24;
inline constexpr int TOOLBAR_IMAGE_HEIGHT = 23;

QIcon LoadAppIcon();
// Bitmap 133, the About picture, 450 x 250 pixels.
QPixmap LoadAboutBitmap();
