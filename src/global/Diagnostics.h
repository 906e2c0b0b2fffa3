#pragma once
// Where the engine reports a step or list item that it could not use. The
// desktop program shows what a run reported once, after the run; the command
// line front prints it to standard error.

#include <string>
#include <unordered_set>
#include <vector>

namespace quorvane::global {

class DiagnosticsSink {
 public:
  virtual ~DiagnosticsSink() = default;
  virtual void Report(const std::string& message) = 0;
};

// Collects the reports of a run, each distinct message once, in the order of
// first appearance: a bad step of the data event is met once per byte sent, but
// the user needs to read about it once.
class Diagnostics final : public DiagnosticsSink {
 public:
  void Report(const std::string& message) override;
  const std::vector<std::string>& Messages() const { return messages_; }
  bool Empty() const { return messages_.empty(); }
  // Hands over what was collected and starts afresh.
  std::vector<std::string> Take();

 private:
  std::vector<std::string> messages_;
  std::unordered_set<std::string> seen_;
};

}  // namespace quorvane::global
