#pragma once
// The shell's "open" action: hands a document or web address to the program
// the desktop has for it.

#include <QString>

class QWidget;

namespace quorvane::platform {

class Shell {
 public:
  // How the opened window is shown: 3 asks for it maximised.
  static constexpr int kShowMaximized = 3;

  virtual ~Shell() = default;
  // The default action on address, with no parameters and no working folder.
  // False when nothing could be started to open it.
  virtual bool Open(QWidget* owner, const QString& address, int showCommand) = 0;
};

// Opens through the desktop's URL handler.
class QtShell final : public Shell {
 public:
  bool Open(QWidget* owner, const QString& address, int showCommand) override;
};

}  // namespace quorvane::platform
