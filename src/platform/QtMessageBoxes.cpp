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

// A carriage return alone breaks a message's line, as it does in the desktop's
// own message boxes; a Qt label needs a line feed for it.
QString WithLineBreaks(QString text) {
  return text.replace("\r\n", "\n").replace('\r', '\n');
}

}  // namespace

void QtMessageBoxes::MsgBox(QWidget* owner, const QString& prompt, Icon icon,
                            const QString& title) {
  QMessageBox box(ToQt(icon), title, WithLineBreaks(prompt), QMessageBox::Ok, owner);
  box.exec();
}

MessageBoxes::Answer QtMessageBoxes::AskYesNo(QWidget* owner, const QString& prompt, Icon icon,
                                              const QString& title) {
  QMessageBox box(ToQt(icon), title, WithLineBreaks(prompt), QMessageBox::Yes | QMessageBox::No,
                  owner);
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
