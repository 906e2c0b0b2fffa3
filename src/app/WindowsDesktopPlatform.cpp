#include <QTimer>
#include <QWidget>

#include "app/DesktopPlatform.h"
#include "platform/StopSignal.h"

namespace quorvane::app {

bool HasDisplay() {
  return true;
}

void CloseOnStopRequest(QWidget& window) {
  // Windows has no descriptor to watch: the request is looked at ten times a
  // second while the window waits for input.
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&window] {
    if (platform::StopRequested()) window.close();
  });
  poll->start(100);
}

}  // namespace quorvane::app
