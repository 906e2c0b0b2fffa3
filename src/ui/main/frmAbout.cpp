#include "ui/main/frmAbout.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "ui/main/Artwork.h"
#include "ui/main/FormProcedures.h"
#include "ui/main/WebPage.h"

namespace quorvane::ui {

frmAbout::frmAbout(platform::Shell& shell, platform::MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      shell_(shell),
      messages_(messages),
      artwork_(AboutArtwork()),
      Label1(new QLabel(kWebSiteText, this)),
      Label2(new QLabel("Quorvane 0.9, LCD workbench", this)) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  setFixedSize(412, 88);
  setModal(true);
  Label2->setObjectName("Label2");
  Label2->setGeometry(240, 20, 165, 17);
  Label2->setAlignment(Qt::AlignCenter);
  Label1->setObjectName("Label1");
  Label1->setGeometry(240, 44, 165, 17);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->installEventFilter(this);
}

void frmAbout::Form_Load() {
  CenterForm(this);
}

void frmAbout::Label1_DblClick() {
  OpenWebPage(this, shell_, messages_);
}

void frmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Form_Load();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
    Label1_DblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmAbout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, artwork_);
  // Shape1: the outline that frames the two labels.
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(236, 16, 172, 48);
}

}  // namespace quorvane::ui
