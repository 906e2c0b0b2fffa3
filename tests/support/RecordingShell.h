#pragma once
// A shell that opens nothing: it keeps what it was asked to open.

#include <QString>
#include <vector>

#include "platform/Shell.h"

namespace quorvane::testing {

class RecordingShell final : public platform::Shell {
 public:
  struct Request {
    QWidget* owner;
    QString address;
    int showCommand;
  };
  void Open(QWidget* owner, const QString& address, int showCommand) override {
    requests.push_back({owner, address, showCommand});
  }
  std::vector<Request> requests;
};

}  // namespace quorvane::testing
