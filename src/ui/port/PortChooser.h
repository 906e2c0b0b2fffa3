#pragma once
// Where the user chooses the port, behind an interface so that window tests
// answer without a modal dialog.

#include <optional>
#include <string>

class QWidget;

namespace quorvane::platform {
struct PortSystems;
}

namespace quorvane::ui {

class PortChooser {
 public:
  virtual ~PortChooser() = default;
  // The port text chosen, or none when the user cancelled. `current` is the
  // port in use.
  virtual std::optional<std::string> ChoosePort(QWidget* owner, const std::string& current) = 0;
};

// The real one: looks for the ports, then shows frmPort.
class DialogPortChooser final : public PortChooser {
 public:
  explicit DialogPortChooser(const platform::PortSystems& systems) : systems_(systems) {}
  std::optional<std::string> ChoosePort(QWidget* owner, const std::string& current) override;

 private:
  const platform::PortSystems& systems_;
};

}  // namespace quorvane::ui
