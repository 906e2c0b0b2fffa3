#pragma once
// The picture of the desktop program with the module window for the README:
// the default init sequence and the first demo picture sent, then the main,
// image and module windows side by side in one PNG.

#include <QString>

namespace quorvane::ui {
class frmELCD;
}

namespace quorvane::app {

// Runs the sends on the started-up window (which needs its module window)
// and writes the PNG whole or not at all. Empty when it was written, else why
// not.
QString SaveModuleScreenshot(ui::frmELCD& window, const QString& path);

}  // namespace quorvane::app
