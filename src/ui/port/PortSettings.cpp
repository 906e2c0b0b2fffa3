#include "ui/port/PortSettings.h"

#include <QSettings>
#include <QUrl>

namespace quorvane::ui {

bool TakeSimulatedPortNotice(QSettings& settings, const std::string& portChoice,
                             const std::string& notice) {
  // A port text may hold the '/' that separates setting groups.
  const QString key =
      "SimulatedPortNotice/" +
      QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(portChoice)));
  const QString text = QString::fromStdString(notice);
  if (settings.value(key).toString() == text) return false;
  settings.setValue(key, text);
  settings.sync();
  return true;
}

namespace {

constexpr const char* kChosenPort = "Port/Chosen";

}  // namespace

std::optional<std::string> RememberedPort(const QSettings& settings) {
  const QString text = settings.value(kChosenPort).toString().trimmed();
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

void RememberPort(QSettings& settings, const std::string& portText) {
  settings.setValue(kChosenPort, QString::fromStdString(portText));
  settings.sync();
}

}  // namespace quorvane::ui
