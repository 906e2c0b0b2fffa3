#pragma once
// The port the program writes to: a byte to an I/O register, nothing read back.
// A write or flush that fails is latched where it happens: from then on the
// port writes nothing more until it is opened again, and it keeps the reason.

#include <cstdint>
#include <string>
#include <utility>

namespace quorvane::platform {

// The two registers of the parallel port as the program addresses them. A
// backend on a card with another base address maps them onto its own.
inline constexpr std::uint16_t kDataRegister = 0x378;
inline constexpr std::uint16_t kControlRegister = 0x37A;

// The first failure of a port.
struct PortFailure {
  bool failed = false;
  // In plain words: "the adapter was unplugged", "ppdev: Input/output error".
  std::string reason;
  // Writes the port took but did not send: the one that failed and, on a port
  // that holds writes back until a flush, those held with it.
  std::uint64_t unsentWrites = 0;
};

class Port {
 public:
  Port() = default;
  Port(const Port&) = delete;
  Port& operator=(const Port&) = delete;
  virtual ~Port() = default;
  // Writes one byte to the register at once (or queues it, see Flush).
  virtual void Out32(std::uint16_t address, std::uint8_t value) = 0;
  // A backend that buffers sends what it holds; the others do nothing.
  virtual void Flush() {}
  // How long from now until what the port has handed on is on its pins: a
  // backend whose hardware clocks the writes out at its own pace (an FTDI
  // adapter) knows; the others have their writes on the pins once the call
  // returns (0).
  virtual std::uint64_t MicrosUntilPins() const { return 0; }

  // A plain flag, cheap enough to read after every write.
  bool Failed() const { return latch_->failed; }
  const PortFailure& Failure() const { return *latch_; }
  // The same flag, for a caller that keeps it at hand for every write; it
  // lives as long as the port.
  const bool& FailedFlag() const { return latch_->failed; }

 protected:
  // A port that passes every write on to `inner` fails when inner fails: both
  // read the same latch.
  explicit Port(Port& inner) : latch_(inner.latch_) {}
  // Latches the first failure; a later one changes nothing.
  void Fail(std::string reason, std::uint64_t unsentWrites = 1) {
    if (latch_->failed) return;
    *latch_ = {true, std::move(reason), unsentWrites};
  }
  void Fail(const PortFailure& failure) { Fail(failure.reason, failure.unsentWrites); }
  // The port was opened again: writes go out once more.
  void ClearFailure() { *latch_ = {}; }

 private:
  PortFailure own_;
  PortFailure* latch_ = &own_;
};

}  // namespace quorvane::platform
