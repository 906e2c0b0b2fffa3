#pragma once
// What the desktop program's start differs in from one platform to the
// other: whether there is a display to open the window on, and how a stop
// request reaches the event loop.

class QWidget;

namespace quorvane::app {

// On Linux a display is named by DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM;
// Windows always has its desktop.
bool HasDisplay();

// Closes the window once a stop is requested (SIGINT, SIGTERM, ...), while the
// event loop waits for input; it watches for as long as the window lives.
void CloseOnStopRequest(QWidget& window);

}  // namespace quorvane::app
