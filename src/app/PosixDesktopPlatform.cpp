#include <QSocketNotifier>
#include <QWidget>
#include <cstdlib>

#include "app/DesktopPlatform.h"
#include "platform/StopSignal.h"

namespace quorvane::app {

bool HasDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

void CloseOnStopRequest(QWidget& window) {
  // The stop signals make a descriptor readable.
  auto* notifier = new QSocketNotifier(platform::StopDescriptor(), QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, &QWidget::close);
}

}  // namespace quorvane::app
