#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/MessageBoxes.h"

namespace quorvane::platform {
namespace {

QMessageBox::Icon ToQt(MessageBoxes::Icon icon) {
  switch (icon) {
    case MessageBoxes::Icon::Information:
      return QMessageBox::Information;
    case MessageBoxes::Icon::Warning:
      return QMessageBox::Warning;
    case MessageBoxes::Icon::Critical:
      return QMessageBox::Critical;
    case MessageBoxes::Icon::Question:
      return QMessageBox::Question;
    case MessageBoxes::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::MsgBox(QWidget* owner, const QString& prompt, Icon icon,
                            const QString& title) {
  QMessageBox box(ToQt(icon), title, prompt, QMessageBox::Ok, owner);
  box.exec();
}

MessageBoxes::Answer QtMessageBoxes::AskYesNo(QWidget* owner, const QString& prompt, Icon icon,
                                              const QString& title) {
  QMessageBox box(ToQt(icon), title, prompt, QMessageBox::Yes | QMessageBox::No, owner);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtMessageBoxes::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                 const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

void QtMessageBoxes::Beep() {
  QApplication::beep();
}

}  // namespace quorvane::platform
