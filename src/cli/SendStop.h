#pragma once
// How quorvane-send ends on SIGINT, SIGTERM, SIGHUP or SIGQUIT: never in the
// middle of a byte. A value list or a picture goes out one run of the command
// or data event per byte; a stop ends it between two such runs (before the
// first port write of the next byte, or in a "#" wait between bytes). Any
// other action (the reset event, a named event, the start-up and power
// sequences, "Do 0", the shut-down writes) is one piece: a stop ends it only
// before its first port write, and once begun it runs to its end, its waits
// included. Between two actions a stop ends the run before the next one.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "platform/Sleeper.h"

namespace quorvane::port {
class OutputPort;
}

namespace quorvane::cli {

class CountingPort;

// Where the running action stands: at a byte boundary, or inside a byte.
class StopPoints {
 public:
  // An action begins `writes` port writes into the run. A list or a picture
  // sends each byte as one run of `writesPerByte` port writes; an action of
  // one piece gives nullopt.
  void BeginAction(std::uint64_t writes, std::optional<std::uint64_t> writesPerByte) {
    start_ = writes;
    perByte_ = writesPerByte;
  }
  // Whether the run, `writes` port writes in, stands between two bytes of the
  // action: none of its writes made yet, or a whole number of byte runs.
  bool AtBoundary(std::uint64_t writes) const {
    const std::uint64_t made = writes - start_;
    if (made == 0) return true;
    return perByte_ && (*perByte_ == 0 || made % *perByte_ == 0);
  }
  // The bytes of the action that went out whole, `writes` port writes in.
  std::uint64_t BytesSent(std::uint64_t writes) const {
    return perByte_ && *perByte_ > 0 ? (writes - start_) / *perByte_ : 0;
  }
  std::uint64_t ActionWrites(std::uint64_t writes) const { return writes - start_; }

 private:
  std::uint64_t start_ = 0;
  std::optional<std::uint64_t> perByte_;
};

// A wait at a byte boundary ends early with StopRequest when a stop comes
// (and does not begin when one came before it); a wait inside a byte (a DL
// step of an event, the waits of the power-on sequence) lasts its whole
// time, as the module's timing needs.
class StopPointSleeper final : public platform::Sleeper {
 public:
  StopPointSleeper(const StopPoints& points, const std::uint64_t& writes,
                   platform::Sleeper& betweenBytes, platform::Sleeper& withinByte)
      : points_(points), writes_(writes), betweenBytes_(betweenBytes), withinByte_(withinByte) {}
  void Sleep(std::uint32_t milliseconds) override;

 private:
  const StopPoints& points_;
  const std::uint64_t& writes_;
  platform::Sleeper& betweenBytes_;
  platform::Sleeper& withinByte_;
};

// What the stopped action had done, for the report.
struct StoppedAction {
  std::string name;            // as ActionName gives it
  std::string progress;        // "6 of 7 bytes", "before its first write"
  std::uint64_t writes = 0;    // port writes of the action
  std::uint64_t waitedMs = 0;  // its waits that ran to their end
  bool shutdownAsked = false;  // --shutdown was among the actions
};

// Sends what the port holds, runs the shut-down writes when the script asked
// for them, says how far the run got (standard output) and why it ended
// (standard error), and gives the status a shell reports for a program the
// signal ended (128 + its number; 1 for a stop without a signal).
int EndStoppedRun(const StoppedAction& stopped, CountingPort& counter, port::OutputPort& output,
                  std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
