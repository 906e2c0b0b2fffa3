#pragma once
// A port choice that shows nothing: it keeps the port in use each time it is
// asked and gives the answers a test sets (none left: cancelled).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/port/PortChooser.h"

namespace quorvane::testing {

class ScriptedPortChooser final : public ui::PortChooser {
 public:
  std::optional<std::string> ChoosePort(QWidget*, const std::string& current) override {
    asked.push_back(current);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> asked;                  // the port in use, at each question
  std::deque<std::optional<std::string>> answers;  // nullopt: cancelled
};

}  // namespace quorvane::testing
