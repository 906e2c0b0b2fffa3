#pragma once
// The data register on five Linux GPIO lines of one chip (libgpiod v1): bits 0
// to 4 of each byte drive the lines given for D0 to D4, as on the parallel
// port; the lines are written at once, one bulk set per changed byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "global/Wiring.h"
#include "platform/ports/Port.h"
#include "platform/ports/adapters/GpioSystem.h"

namespace quorvane::platform {

// The lines to drive: the chip as libgpiod looks it up (gpiochip0, 0,
// /dev/gpiochip0 or its label) and the line offsets for D0 to D4.
struct GpioAddress {
  static constexpr std::size_t kLineCount = global::kSignalLines;
  std::string chip;
  std::array<unsigned, kLineCount> lines{};
  friend bool operator==(const GpioAddress&, const GpioAddress&) = default;
};

class GpioPort final : public Port {
 public:
  // The name the lines are requested under, as gpioinfo shows it.
  static constexpr const char* kConsumer = "quorvane";

  struct Opening {
    std::unique_ptr<GpioPort> port;  // null when the lines could not be had
    std::string error;               // one sentence naming the chip or lines and the reason
  };

  // The levels the lines are requested with, bit n for Dn: RESET (D4) and CS
  // (D3) high, SCLK, SDA and D/C low. The request itself drives the lines to
  // them, so opening the port leaves the module idle and deselected: lines
  // requested low would hold RESET low until the first write, a reset pulse
  // that puts the controller back into power-down.
  static constexpr std::uint8_t kRequestLevels = 0x18;

  // Opens the chip and requests the five lines as outputs at kRequestLevels.
  static Opening Open(std::unique_ptr<GpioSystem> system, const GpioAddress& address);

  // Takes over a chip whose five lines are requested as outputs at
  // kRequestLevels.
  explicit GpioPort(std::unique_ptr<GpioSystem> system) : system_(std::move(system)) {}
  // Releases the lines and closes the chip. What a released line does is not
  // defined (a Raspberry Pi's kernel makes it an input, and it floats): between
  // two runs the module's lines are not driven.
  ~GpioPort() override;
  GpioPort(const GpioPort&) = delete;
  GpioPort& operator=(const GpioPort&) = delete;

  // A data-register byte whose bits 0 to 4 differ from the lines' levels sets
  // all five lines in one call; bits 5 to 7, the control register and other
  // addresses have no lines and are ignored. A set that fails is latched
  // ("the GPIO chip went away") and nothing more is set.
  void Out32(std::uint16_t address, std::uint8_t value) override;

 private:
  std::unique_ptr<GpioSystem> system_;
  std::uint8_t levels_ = kRequestLevels;  // the lines' levels as last set, bit n for Dn
};

}  // namespace quorvane::platform
