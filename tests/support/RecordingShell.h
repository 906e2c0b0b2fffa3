#pragma once
// A shell that opens nothing: it keeps what it was asked to open.

#include <QString>
#include <vector>

#include "platform/desktop/Shell.h"

namespace quorvane::testing {

class RecordingShell final : public platform::Shell {
 public:
  struct Request {
    QWidget* owner;
    QString address;
    int showCommand;
  };
  bool Open(QWidget* owner, const QString& address, int showCommand) override {
    requests.push_back({owner, address, showCommand});
    return opens;
  }
  std::vector<Request> requests;
  // What Open answers: false stands for a desktop without a web browser.
  bool opens = true;
};

}  // namespace quorvane::testing
