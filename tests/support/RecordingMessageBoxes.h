#pragma once
// Message boxes that show nothing: they keep what was asked and give the
// answers a test sets.

#include <QString>
#include <QStringList>
#include <deque>

#include "platform/desktop/MessageBoxes.h"

namespace quorvane::testing {

class RecordingMessageBoxes final : public platform::MessageBoxes {
 public:
  struct Shown {
    QString prompt;
    Icon icon;
    QString title;
  };
  void MsgBox(QWidget*, const QString& prompt, Icon icon, const QString& title) override {
    shown.push_back({prompt, icon, title});
  }
  Answer AskYesNo(QWidget*, const QString& prompt, Icon icon, const QString& title) override {
    shown.push_back({prompt, icon, title});
    return answersYesNo.empty() ? Answer::No : Take(answersYesNo);
  }
  int AskChoice(QWidget*, const QString& prompt, Icon icon, const QString& title,
                const QStringList& buttons, int escape) override {
    shown.push_back({prompt, icon, title});
    choiceButtons.push_back(buttons);
    return answersChoice.empty() ? escape : Take(answersChoice);
  }
  QString InputBox(QWidget*, const QString& prompt, const QString& title,
                   const QString& defaultText) override {
    inputPrompts.push_back({prompt, Icon::None, title});
    inputDefaults.push_back(defaultText);
    return inputAnswers.empty() ? QString() : Take(inputAnswers);
  }
  void Beep() override { ++beeps; }

  std::vector<Shown> shown;
  std::vector<Shown> inputPrompts;
  QStringList inputDefaults;
  std::deque<Answer> answersYesNo;
  std::vector<QStringList> choiceButtons;  // the buttons of each AskChoice
  std::deque<int> answersChoice;           // none left: Escape
  std::deque<QString> inputAnswers;
  int beeps = 0;

 private:
  template <typename T>
  static T Take(std::deque<T>& queue) {
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

}  // namespace quorvane::testing
