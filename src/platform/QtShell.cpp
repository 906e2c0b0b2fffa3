#include <QDesktopServices>
#include <QUrl>

#include "platform/Shell.h"

namespace quorvane::platform {

void QtShell::Open(QWidget*, const QString& address, int) {
  // An address without a scheme ("host/page.asp") is taken as a web address;
  // the desktop decides the window size of the program it starts.
  QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

}  // namespace quorvane::platform
