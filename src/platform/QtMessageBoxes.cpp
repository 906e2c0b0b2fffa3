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
// own message boxes; a Qt label needs a line feed for it. A label breaks lines
// only between words, so a long run without blanks (a path with a long file
// name) would widen the box past the screen and be cut off: such runs get an
// invisible break opportunity (a zero-width space) every few characters.
QString WithLineBreaks(QString text) {
  text.replace("\r\n", "\n").replace('\r', '\n');
  constexpr int kLongestUnbroken = 40;
  QString broken;
  broken.reserve(text.size());
  int run = 0;
  for (const QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    if (run > kLongestUnbroken && !c.isLowSurrogate()) {
      broken += QChar(0x200B);
      run = 1;
    }
    broken += c;
  }
  return broken;
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
  // Every question asks whether to replace or drop something: Enter and
  // Escape both answer No.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
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
