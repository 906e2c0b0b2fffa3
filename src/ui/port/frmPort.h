#pragma once
// The port choice: the ports that were found, and a box for any port text
// (GPIO lines, another FTDI adapter, a port card's io base). Choosing a port
// in the list puts its text into the box; the box's text is the choice.

#include <QDialog>
#include <vector>

#include "platform/ports/PortDiscovery.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvane::ui {

class frmPort final : public QDialog {
  Q_OBJECT

 public:
  frmPort(const std::vector<platform::FoundPort>& found, const QString& current,
          QWidget* parent = nullptr);

  // The port text chosen: the box's text, trimmed.
  QString PortText() const;

  void lstPorts_Click();

 private:
  QListWidget* lstPorts;
  QLineEdit* txtPort;
  QPushButton* cmdOK;
  std::vector<platform::FoundPort> found_;
};

}  // namespace quorvane::ui
