#pragma once
// A parallel port driven through the Linux ppdev driver (/dev/parportN): the
// port is claimed for this program alone and every write is one ioctl.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports/Port.h"
#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

class PpdevPort final : public Port {
 public:
  struct Opening {
    std::unique_ptr<PpdevPort> port;  // null when the device could not be used
    std::string error;                // one sentence naming the device and the reason
  };

  // Opens the device, claims the port for this program alone and sets the data
  // lines to output. Never blocks: when another driver holds the port the claim
  // fails at once.
  static Opening Open(PpdevSystem& system, const std::string& path);

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
