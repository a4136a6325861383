#pragma once

class QWidget;

// A window shown a moment ago is not on screen until the display server has
// exposed it (X11 maps windows asynchronously); whatever is painted before
// that is lost. Waits until the window is exposed, at most `timeoutMs`,
// handling the pending window system events but no user input, so that
// work which paints its progress without the event loop is seen at once.
void WaitUntilExposed(QWidget& window, int timeoutMs = 500);
