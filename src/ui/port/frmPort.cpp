#include "ui/port/frmPort.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane::ui {

frmPort::frmPort(const std::vector<platform::FoundPort>& found, const QString& current,
                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      lstPorts(new QListWidget(this)),
      txtPort(new QLineEdit(current, this)),
      found_(found) {
  setObjectName("frmPort");
  setWindowTitle("Port");
  auto* lblPorts = new QLabel("&Ports found:", this);
  lblPorts->setBuddy(lstPorts);
  lstPorts->setObjectName("lstPorts");
  int currentRow = -1;
  for (const platform::FoundPort& port : found_) {
    lstPorts->addItem(QString::fromStdString(port.description + "   " + port.text));
    if (port.text == current.toStdString()) currentRow = lstPorts->count() - 1;
  }
  // The port in use stays in the box when it is none of the found ones.
  lstPorts->setCurrentRow(currentRow);
  auto* lblPort = new QLabel("Port &text (gpio:CHIP:L0,L1,L2,L3,L4 for GPIO lines):", this);
  lblPort->setBuddy(txtPort);
  txtPort->setObjectName("txtPort");
  txtPort->setPlaceholderText("auto, sim, ppdev:/dev/parportN, io:378, ftdi, gpio:...");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  cmdOK = buttons->button(QDialogButtonBox::Ok);
  cmdOK->setObjectName("cmdOK");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPorts);
  layout->addWidget(lstPorts);
  layout->addWidget(lblPort);
  layout->addWidget(txtPort);
  layout->addWidget(buttons);
  resize(460, 260);

  connect(lstPorts, &QListWidget::currentRowChanged, this, &frmPort::lstPorts_Click);
  connect(lstPorts, &QListWidget::itemActivated, this, &QDialog::accept);
  connect(txtPort, &QLineEdit::textChanged, this,
          [this] { cmdOK->setEnabled(!PortText().isEmpty()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  cmdOK->setEnabled(!PortText().isEmpty());
  txtPort->setFocus();
  txtPort->selectAll();
}

QString frmPort::PortText() const {
  return txtPort->text().trimmed();
}

void frmPort::lstPorts_Click() {
  const int row = lstPorts->currentRow();
  if (row >= 0 && row < static_cast<int>(found_.size())) {
    txtPort->setText(QString::fromStdString(found_[static_cast<std::size_t>(row)].text));
  }
}

}  // namespace quorvane::ui
