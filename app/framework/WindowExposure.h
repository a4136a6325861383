#pragma once

class QWidget;

// A window shown a moment ago is not on screen until the display server has
// mapped it, and Qt drops every paint of it until the event loop has handled
// that. Work that runs without the event loop and paints its own progress
// (the catalog load) must let no event through, not even while it waits for
// its window: this asks the display server itself, at most `timeoutMs`,
// and once the window is up lets it be painted at once (repaint()). No
// event is handled. False when the time ran out, or where the platform
// tells nothing without the event loop (Wayland): the window is then
// painted when the event loop runs again.
bool WaitUntilExposed(QWidget& window, int timeoutMs = 500);
