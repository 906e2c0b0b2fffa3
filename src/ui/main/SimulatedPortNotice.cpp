#include "ui/main/SimulatedPortNotice.h"

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

}  // namespace quorvane::ui
