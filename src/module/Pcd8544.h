#pragma once
// A PCD8544-class controller (84 × 48 dots, six banks of eight rows) emulated
// from nothing but the levels of the port's data lines, one data-register byte
// at a time, and the control-register writes of the module's power switch. It
// decodes the serial wire as the chip does, so faulty events show on it as
// they would on glass.

#include <array>
#include <cstdint>

#include "global/Wiring.h"
#include "module/ControllerState.h"
#include "module/DecodedLog.h"

namespace quorvane::module {

// The lines the module hangs on.
using global::kCsLine;
using global::kDcLine;
using global::kResetLine;
using global::kSclkLine;
using global::kSdaLine;

// The seed of the display RAM's content at power-on: a fixed pattern, so that
// runs and pictures of the panel repeat.
inline constexpr std::uint32_t kPowerOnSeed = 0x8544D15Au;

// Told after each byte the module accepted, each partial byte it dropped, each
// reset and each switching of its supply: the moments the registers, the RAM
// or the log change.
class ChangeListener {
 public:
  virtual ~ChangeListener() = default;
  virtual void ModuleChanged() = 0;
};

class Pcd8544 {
 public:
  using Ram = std::array<std::uint8_t, kColumns * kBanks>;  // bank × 84 + column

  // What the display RAM holds after power-on: SRAM cells settle into a
  // pattern of their own, the same for a given seed.
  static Ram PowerOnRam(std::uint32_t seed);

  // Power-on, as the port opens: the registers undefined until the first
  // RESET low pulse, the RAM holding PowerOnRam(seed), RESET high and every
  // other line low.
  explicit Pcd8544(std::uint32_t powerOnSeed = kPowerOnSeed);

  // One byte written to the data register. With RESET low the controller
  // holds its reset state; with CS high the clock is ignored and a partial
  // byte is dropped. A rising SCLK edge shifts in one bit, most significant
  // first, when CS was low before it and stays low; SDA, and D/C with the
  // eighth bit, are read as they stood before the write: the chip needs them
  // set up ahead of the edge, so a level that changes with the edge itself
  // comes too late (logged once per byte). An edge in the write that lowers CS
  // or raises RESET is ignored, and logged. Without supply the lines are
  // ignored.
  void Write(std::uint8_t lines) {
    const std::uint8_t previous = lines_;
    lines_ = lines;
    if (watch_ != 0) [[unlikely]] {
      if (WatchPowerSwitch(lines)) return;
    }
    if (!supplied_) return;
    if ((lines & kResetLine) == 0) {
      if (previous & kResetLine) EnterReset();
      return;
    }
    if (lines & kCsLine) {
      if (bitCount_ != 0) DropPartialByte(LogKind::DroppedByCs);
      return;
    }
    const bool rising = (lines & ~previous & kSclkLine) != 0;
    if (!rising) return;
    if ((previous & (kCsLine | kResetLine)) != kResetLine) [[unlikely]] {
      LogIgnoredEdge(previous);
      return;
    }
    if ((lines ^ previous) & kSdaLine) ++sdaLate_;
    shift_ = static_cast<std::uint8_t>(shift_ << 1 | (previous & kSdaLine) >> 1);
    if (++bitCount_ == 8) {
      if ((lines ^ previous) & kDcLine) dcLate_ = true;
      AcceptByte((previous & kDcLine) != 0);
    }
  }

  // One byte written to the control register. The power switch turns the
  // module's supply off with 0xFF followed at once by 0 on the data register,
  // and on again with 0x00.
  void WriteControl(std::uint8_t value);
  // The port paused: the lines keep their levels for a while (a wait, or the
  // end of what the program sent at once). A 0xFF to the control register
  // followed by 0 only after such a pause is no power switch: the 0xFF that
  // start-up ends with, and a "Do 0" after it.
  void Pause() { watch_ = 0; }

  const ControllerState& State() const { return state_; }
  const Ram& DisplayRam() const { return ram_; }
  // One bit of the RAM: column 0 to 83, row 0 to 47 (bit 0 of a bank byte is
  // its top row). Positions outside read as clear.
  bool RamDot(int column, int row) const;
  const DecodedLog& Log() const { return log_; }
  void ClearLog() { log_.Clear(); }
  std::uint8_t Lines() const { return lines_; }
  // Bits of the byte being received, 0 to 7.
  int PendingBits() const { return bitCount_; }
  // False once the power switch has turned the supply off, until it turns it
  // on again.
  bool Supplied() const { return supplied_; }
  // False from power-on until RESET goes low: the registers are undefined.
  bool ResetSincePowerOn() const { return resetSincePowerOn_; }

  // At most one listener; null to stop listening.
  void SetChangeListener(ChangeListener* listener) { listener_ = listener; }

 private:
  // The watch_ bit: a 0xFF to the control register waits for the data write
  // right after it.
  static constexpr std::uint8_t kPowerOffPending = 1;

  // True when the write turned the supply off.
  bool WatchPowerSwitch(std::uint8_t lines);
  void PowerOn();
  void EnterReset();
  void DropPartialByte(LogKind cause);
  void AcceptByte(bool isData);
  void LogSetupViolation();
  // An edge that came with CS falling or RESET rising: the chip was not
  // listening yet.
  void LogIgnoredEdge(std::uint8_t previous);
  void Execute(std::uint8_t command);
  void WriteData(std::uint8_t byte);
  void Changed() {
    if (listener_ != nullptr) listener_->ModuleChanged();
  }

  ControllerState state_;
  Ram ram_{};
  DecodedLog log_;
  std::uint32_t powerOnSeed_;
  std::uint8_t lines_ = kResetLine;
  std::uint8_t shift_ = 0;
  int bitCount_ = 0;
  int sdaLate_ = 0;      // edges of the byte being received that came with a change of SDA
  bool dcLate_ = false;  // D/C changed with the eighth edge
  bool supplied_ = true;
  bool resetSincePowerOn_ = false;
  bool undefinedLogged_ = false;
  std::uint8_t watch_ = 0;
  ChangeListener* listener_ = nullptr;
};

}  // namespace quorvane::module
