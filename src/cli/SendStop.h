#pragma once
// How quorvane-send ends on SIGINT, SIGTERM, SIGHUP or SIGQUIT: never in the
// middle of a byte (session/StopGate.h says where a stop may land). What the
// port holds is sent, the shut-down writes follow only when the script asked
// for them, and the output says how far the run got.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace quorvane::session {
class Session;
}

namespace quorvane::cli {

// What the stopped action had done, for the report.
struct StoppedAction {
  std::string name;            // as ActionName gives it
  std::string progress;        // "after 6 of 7 bytes", "before its first write"
  std::uint64_t writes = 0;    // port writes of the action
  std::uint64_t waitedMs = 0;  // its waits that ran to their end
  bool shutdownAsked = false;  // --shutdown was among the actions
};

// Runs the shut-down writes when the script asked for them, says how far the
// run got (standard output) and why it ended (standard error), and gives the
// status a shell reports for a program the signal ended (128 + its number; 1
// for a stop without a signal).
int EndStoppedRun(const StoppedAction& stopped, session::Session& session, std::ostream& out,
                  std::ostream& err);

}  // namespace quorvane::cli
