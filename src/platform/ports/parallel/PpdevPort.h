#pragma once
// A parallel port driven through the Linux ppdev driver (/dev/parportN): the
// port is claimed for this program alone where it can be, else shared with the
// drivers registered on it (the printer driver lp registers on every port),
// and every write is one ioctl.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Sleeper.h"
#include "platform/ports/Port.h"
#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

class PpdevPort final : public Port {
 public:
  struct Opening {
    std::unique_ptr<PpdevPort> port;  // null when the device could not be used
    std::string error;                // one sentence naming the device and the reason
    bool shared = false;              // claimed the shared way: another driver is registered
    std::string sharedWith;           // "the printer driver lp", when shared
  };

  // How long the shared claim waits for a driver that holds the port (lp
  // while it prints), looking in steps through the sleeper.
  static constexpr std::uint32_t kHeldLookMs = 50;
  static constexpr int kHeldLooks = 40;

  // Opens the device, claims the port and sets the data lines to output. The
  // claim is exclusive unless another driver is registered on the port; then
  // the device is opened again and the port claimed the shared way, once no
  // driver holds it, waiting for that at most kHeldLooks × kHeldLookMs through
  // `sleeper` (no wait without one). Never blocks for ever.
  static Opening Open(PpdevSystem& system, const std::string& path, Sleeper* sleeper = nullptr);

  // Takes over a descriptor on which the port is claimed.
  PpdevPort(PpdevSystem& system, int claimedFd) : system_(system), fd_(claimedFd) {}
  // Releases the port and closes the descriptor.
  ~PpdevPort() override;
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  // The data register goes to the data lines, the control register to the
  // control lines (bits 4 and 5 kept clear); other addresses are ignored. An
  // ioctl that fails is latched with its errno in words ("ppdev: Input/output
  // error") and nothing more is written.
  void Out32(std::uint16_t address, std::uint8_t value) override;

 private:
  PpdevSystem& system_;
  int fd_;
};

}  // namespace quorvane::platform
