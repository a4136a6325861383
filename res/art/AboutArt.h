#pragma once

#include <QImage>

// Bitmap 133: the About picture, 450 x 250. On the left, behind the thin
// line at 144 pixels, a phone with content flying out of it on a deep
// gradient; on the right a light ground for the dark text and the buttons.
QImage DrawAboutPicture();
