#pragma once
// A stand-in for the libgpiod calls: records every call as a line of text and
// answers as the script says. The script outlives the stand-ins, which the
// ports own.

#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/ports/adapters/GpioSystem.h"

namespace quorvane::testing {

struct GpioScript {
  unsigned lineCount = 54;
  int openResult = 0;                        // 0, or a negative errno
  std::vector<std::string> unreadableChips;  // the /dev/gpiochipN this process may not open
  int getLinesResult = 0;
  int requestResult = 0;
  std::deque<int> setResults;  // answers to the sets in turn; then 0
  std::vector<std::string> calls;
  int made = 0;  // stand-ins made by Factory()

  std::function<std::unique_ptr<platform::GpioSystem>()> Factory();
};

class FakeGpioSystem final : public platform::GpioSystem {
 public:
  explicit FakeGpioSystem(GpioScript& script) : script_(script) {}
  ~FakeGpioSystem() override { script_.calls.push_back("free"); }

  int OpenChip(const std::string& chip) override {
    script_.calls.push_back("open " + chip);
    return script_.openResult;
  }
  std::vector<std::string> UnreadableChips() override {
    script_.calls.push_back("look for unreadable chips");
    return script_.unreadableChips;
  }
  unsigned LineCount() override { return script_.lineCount; }
  int GetLines(std::span<const unsigned> offsets) override {
    script_.calls.push_back("get " + List(offsets));
    return script_.getLinesResult;
  }
  int RequestOutputs(const std::string& consumer, std::span<const int> levels) override {
    script_.calls.push_back("request " + consumer + " " + List(levels));
    return script_.requestResult;
  }
  int SetValues(std::span<const int> levels) override {
    script_.calls.push_back("set " + List(levels));
    if (script_.setResults.empty()) return 0;
    const int result = script_.setResults.front();
    script_.setResults.pop_front();
    return result;
  }
  void Release() override { script_.calls.push_back("release"); }
  void CloseChip() override { script_.calls.push_back("close"); }

 private:
  template <typename Number>
  static std::string List(std::span<const Number> numbers) {
    std::string text;
    for (const Number number : numbers) {
      if (!text.empty()) text += ",";
      text += std::to_string(number);
    }
    return text;
  }

  GpioScript& script_;
};

inline std::function<std::unique_ptr<platform::GpioSystem>()> GpioScript::Factory() {
  return [this] {
    ++made;
    return std::make_unique<FakeGpioSystem>(*this);
  };
}

}  // namespace quorvane::testing
