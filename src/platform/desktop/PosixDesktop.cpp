#include "platform/desktop/Desktop.h"

#include <QWidget>

#include "platform/desktop/QtCommonDialogs.h"
#include "platform/desktop/Shell.h"

namespace quorvane::platform {

std::unique_ptr<CommonDialogs> PlatformCommonDialogs() {
  return std::make_unique<QtCommonDialogs>();
}

std::unique_ptr<Shell> PlatformShell() {
  return std::make_unique<QtShell>();
}

void RemoveSystemMenuClose(QWidget* window) {
  // The window manager draws the title bar: the window asks it for one
  // without a close button.
  const bool visible = window->isVisible();
  Qt::WindowFlags flags = window->windowFlags();
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  flags &= ~Qt::WindowCloseButtonHint;
  window->setWindowFlags(flags);
  if (visible) window->show();  // changing the flags hides a shown window
}

}  // namespace quorvane::platform
