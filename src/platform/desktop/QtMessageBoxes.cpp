#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/desktop/MessageBoxes.h"

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

// A message box wraps its text between words only, and cuts a word wider than
// the box: a long path or address. Such a word gets invisible break chances,
// after its separators and at least every kLongRun characters; shorter words
// stay exactly as they are.
constexpr qsizetype kLongRun = 40;
const QChar kZeroWidthSpace(0x200B);

QString WithBreakableWords(const QString& text) {
  QString result;
  result.reserve(text.size() + text.size() / kLongRun);
  qsizetype wordStart = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !text.at(i).isSpace()) continue;
    const QStringView word = QStringView(text).mid(wordStart, i - wordStart);
    if (word.size() <= kLongRun) {
      result += word;
    } else {
      qsizetype sinceBreak = 0;
      for (const QChar c : word) {
        result += c;
        ++sinceBreak;
        if (c == '/' || c == '\\' || c == ',' || c == ';' || c == '-' || sinceBreak == kLongRun) {
          result += kZeroWidthSpace;
          sinceBreak = 0;
        }
      }
    }
    if (i < text.size()) result += text.at(i);
    wordStart = i + 1;
  }
  return result;
}

QString ForMessageBox(const QString& text) {
  return WithBreakableWords(WithLineBreaks(text));
}

}  // namespace

void QtMessageBoxes::MsgBox(QWidget* owner, const QString& prompt, Icon icon,
                            const QString& title) {
  QMessageBox box(ToQt(icon), title, ForMessageBox(prompt), QMessageBox::Ok, owner);
  box.exec();
}

MessageBoxes::Answer QtMessageBoxes::AskYesNo(QWidget* owner, const QString& prompt, Icon icon,
                                              const QString& title) {
  QMessageBox box(ToQt(icon), title, ForMessageBox(prompt), QMessageBox::Yes | QMessageBox::No,
                  owner);
  // Every question asks whether to replace or drop something: Enter and
  // Escape both answer No.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

int QtMessageBoxes::AskChoice(QWidget* owner, const QString& prompt, Icon icon,
                              const QString& title, const QStringList& buttons, int escape) {
  QMessageBox box(ToQt(icon), title, ForMessageBox(prompt), QMessageBox::NoButton, owner);
  std::vector<QPushButton*> pressed;
  for (const QString& caption : buttons) {
    pressed.push_back(box.addButton(caption, QMessageBox::ActionRole));
  }
  if (!pressed.empty()) box.setDefaultButton(pressed.front());
  if (escape >= 0 && escape < static_cast<int>(pressed.size()))
    box.setEscapeButton(pressed[escape]);
  box.exec();
  for (std::size_t n = 0; n < pressed.size(); ++n) {
    if (box.clickedButton() == pressed[n]) return static_cast<int>(n);
  }
  return escape;
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
