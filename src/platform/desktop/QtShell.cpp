#include <QDesktopServices>
#include <QUrl>

#include "platform/desktop/Shell.h"

namespace quorvane::platform {

bool QtShell::Open(QWidget*, const QString& address, int) {
  // An address without a scheme ("host/page.asp") is taken as a web address;
  // the desktop decides the window size of the program it starts. False when
  // the desktop has no program for it, or that program cannot be started.
  return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

}  // namespace quorvane::platform
