#pragma once
// Where a stop request (SIGINT, SIGTERM, ..., or the window closing) may end
// the running action: never in the middle of a byte. A value list or a picture
// goes out one run of the command or data event per byte; a stop ends it
// between two such runs (before the first port write of the next byte, or in a
// "#" wait between bytes). Any other action (the reset event, a named event,
// the start-up and power sequences, "Do 0", the shut-down writes) is one
// piece: a stop ends it only before its first port write. Between two actions
// a stop ends the run before the next one.

#include <cstdint>
#include <optional>

#include "platform/Sleeper.h"
#include "port/WriteGate.h"

namespace quorvane::session {

// Where the running action stands, and the gate OutputPort asks before every
// write: with a stop requested, a write at a byte boundary throws StopRequest.
class StopGate final : public port::WriteGate {
 public:
  // An action begins `writes` port writes into the run. A list or a picture
  // sends each byte as one run of `writesPerByte` port writes; an action of
  // one piece gives nullopt.
  void BeginAction(std::uint64_t writes, std::optional<std::uint64_t> writesPerByte) {
    start_ = writes;
    writes_ = writes;
    perByte_ = writesPerByte;
  }
  // Whether the run, `writes` port writes in, stands between two bytes of the
  // action: none of its writes made yet, or a whole number of byte runs.
  bool AtBoundary(std::uint64_t writes) const {
    const std::uint64_t made = writes - start_;
    if (made == 0) return true;
    return perByte_ && (*perByte_ == 0 || made % *perByte_ == 0);
  }
  bool AtBoundary() const { return AtBoundary(writes_); }
  // The bytes of the action that went out whole, `writes` port writes in.
  std::uint64_t BytesSent(std::uint64_t writes) const {
    return perByte_ && *perByte_ > 0 ? (writes - start_) / *perByte_ : 0;
  }
  std::uint64_t ActionWrites(std::uint64_t writes) const { return writes - start_; }

  void BeforeWrite(std::uint64_t writes) override;
  // Off for the writes that follow a stop (the shut-down writes).
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }

 private:
  std::uint64_t start_ = 0;
  std::uint64_t writes_ = 0;  // writes made so far, as the last write saw them
  std::optional<std::uint64_t> perByte_;
  bool enabled_ = true;
};

// A wait at a byte boundary ends early with StopRequest when a stop comes
// (and does not begin when one came before it); a wait inside a byte (a DL
// step of an event, the waits of the power-on sequence) goes to `withinByte`,
// which a front that must keep the module's timing makes last its whole time.
class StopPointSleeper final : public platform::Sleeper {
 public:
  StopPointSleeper(const StopGate& gate, platform::Sleeper& betweenBytes,
                   platform::Sleeper& withinByte)
      : gate_(gate), betweenBytes_(betweenBytes), withinByte_(withinByte) {}
  void Sleep(std::uint32_t milliseconds) override;

 private:
  const StopGate& gate_;
  platform::Sleeper& betweenBytes_;
  platform::Sleeper& withinByte_;
};

// Counts the waits that ran to their end: one that a stop ended early, or one
// that did not happen, is not counted.
class CountingSleeper final : public platform::Sleeper {
 public:
  explicit CountingSleeper(platform::Sleeper& inner) : inner_(inner) {}
  void Sleep(std::uint32_t milliseconds) override {
    inner_.Sleep(milliseconds);
    waitedMilliseconds += milliseconds;
  }
  std::uint64_t waitedMilliseconds = 0;

 private:
  platform::Sleeper& inner_;
};

}  // namespace quorvane::session
