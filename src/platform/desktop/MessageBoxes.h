#pragma once
// Message boxes, input boxes and the beep, behind an interface so that window
// tests answer them without a modal dialog.

#include <QString>
#include <QStringList>

class QWidget;

namespace quorvane::platform {

class MessageBoxes {
 public:
  enum class Icon { None, Information, Warning, Critical, Question };
  enum class Answer { Ok, Yes, No };

  virtual ~MessageBoxes() = default;
  // A message with an OK button.
  virtual void MsgBox(QWidget* owner, const QString& prompt, Icon icon, const QString& title) = 0;
  // A question with Yes and No buttons; No is the default, so Enter never
  // confirms a question that destroys data.
  virtual Answer AskYesNo(QWidget* owner, const QString& prompt, Icon icon,
                          const QString& title) = 0;
  // A message with a button of each caption, the first the default; gives the
  // index of the one pressed, or `escape` for Escape and the close button.
  virtual int AskChoice(QWidget* owner, const QString& prompt, Icon icon, const QString& title,
                        const QStringList& buttons, int escape) = 0;
  // A one-line input box; an empty text when the user cancels.
  virtual QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                           const QString& defaultText) = 0;
  virtual void Beep() = 0;
};

// The real ones: QMessageBox, QInputDialog and QApplication::beep.
class QtMessageBoxes final : public MessageBoxes {
 public:
  void MsgBox(QWidget* owner, const QString& prompt, Icon icon, const QString& title) override;
  Answer AskYesNo(QWidget* owner, const QString& prompt, Icon icon, const QString& title) override;
  int AskChoice(QWidget* owner, const QString& prompt, Icon icon, const QString& title,
                const QStringList& buttons, int escape) override;
  QString InputBox(QWidget* owner, const QString& prompt, const QString& title,
                   const QString& defaultText) override;
  void Beep() override;
};

}  // namespace quorvane::platform
