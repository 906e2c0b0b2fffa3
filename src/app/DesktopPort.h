#pragma once
// The port the desktop program starts on. The program never ends without a
// window over it: when the port or the trace file cannot be had, a box says
// why and the user goes on with the simulated port (or without the trace),
// chooses another port, or quits.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "session/PortStack.h"

namespace quorvane::platform {
class MessageBoxes;
struct PortSystems;
}  // namespace quorvane::platform
namespace quorvane::ui {
class PortChooser;
}

namespace quorvane::app {

struct DesktopPortRequest {
  std::string portText;              // --port, QUORVANE_PORT, the port chosen last, else auto
  std::optional<std::string> trace;  // --trace
  // False for a run that only takes a screenshot: nobody answers a box, so
  // what fails ends the program.
  bool askTheUser = true;
};

struct DesktopPort {
  std::unique_ptr<session::PortStack> stack;  // null: the program ends with `status`
  int status = 0;                             // 1, or 2 for a port text not understood
  // The port text the stack was opened with, and whether the user chose it
  // in the port choice (to be remembered for the next start).
  std::string portText;
  bool chosen = false;
};

// Says every failure on `err` as well, as "quorvane: ...".
DesktopPort OpenDesktopPort(DesktopPortRequest request, const platform::PortSystems& systems,
                            const session::RealWaits& waits, platform::MessageBoxes& messages,
                            ui::PortChooser& chooser, std::ostream& err);

}  // namespace quorvane::app
