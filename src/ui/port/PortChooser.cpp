#include "ui/port/PortChooser.h"

#include "platform/ports/PortDiscovery.h"
#include "ui/port/frmPort.h"

namespace quorvane::ui {

std::optional<std::string> DialogPortChooser::ChoosePort(QWidget* owner,
                                                         const std::string& current) {
  frmPort dialog(platform::FindPorts(systems_), QString::fromStdString(current), owner);
  if (dialog.exec() != QDialog::Accepted || dialog.PortText().isEmpty()) return std::nullopt;
  return dialog.PortText().toStdString();
}

}  // namespace quorvane::ui
