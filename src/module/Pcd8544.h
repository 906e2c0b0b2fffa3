#pragma once
// A PCD8544-class controller (84 × 48 dots, six banks of eight rows) emulated
// from nothing but the levels of the port's data lines, one data-register byte
// at a time. It decodes the serial wire as the chip does, so faulty events show
// on it as they would on glass.

#include <array>
#include <cstdint>

#include "module/ControllerState.h"
#include "module/DecodedLog.h"

namespace quorvane::module {

// The data-register bits as the module is wired: bit n drives line Dn.
inline constexpr std::uint8_t kSclkLine = 0x01;   // D0, serial clock
inline constexpr std::uint8_t kSdaLine = 0x02;    // D1, serial data
inline constexpr std::uint8_t kDcLine = 0x04;     // D2, high for data, low for a command
inline constexpr std::uint8_t kCsLine = 0x08;     // D3, chip select, active low
inline constexpr std::uint8_t kResetLine = 0x10;  // D4, active low

// Told after each byte the module accepted, each partial byte it dropped and
// each reset: the moments the registers, the RAM or the log change.
class ChangeListener {
 public:
  virtual ~ChangeListener() = default;
  virtual void ModuleChanged() = 0;
};

class Pcd8544 {
 public:
  using Ram = std::array<std::uint8_t, kColumns * kBanks>;  // bank × 84 + column

  // Power-on: the reset state, RAM clear, RESET high and every other line low.
  Pcd8544() = default;

  // One byte written to the data register. With RESET low the controller
  // holds its reset state; with CS high the clock is ignored and a partial
  // byte is dropped. A rising SCLK edge shifts in one bit, most significant
  // first, when CS was low before it and stays low; SDA, and D/C with the
  // eighth bit, are read as they stood before the write: the chip needs them
  // set up ahead of the edge, so a level that changes with the edge itself
  // comes too late.
  void Write(std::uint8_t lines) {
    const std::uint8_t previous = lines_;
    lines_ = lines;
    if ((lines & kResetLine) == 0) {
      if (previous & kResetLine) EnterReset();
      return;
    }
    if (lines & kCsLine) {
      if (bitCount_ != 0) DropPartialByte(LogKind::DroppedByCs);
      return;
    }
    const bool rising = (lines & ~previous & kSclkLine) != 0;
    if (!rising || (previous & (kCsLine | kResetLine)) != kResetLine) return;
    shift_ = static_cast<std::uint8_t>(shift_ << 1 | (previous & kSdaLine) >> 1);
    if (++bitCount_ == 8) AcceptByte((previous & kDcLine) != 0);
  }

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

  // At most one listener; null to stop listening.
  void SetChangeListener(ChangeListener* listener) { listener_ = listener; }

 private:
  void EnterReset();
  void DropPartialByte(LogKind cause);
  void AcceptByte(bool isData);
  void Execute(std::uint8_t command);
  void WriteData(std::uint8_t byte);
  void Changed() {
    if (listener_ != nullptr) listener_->ModuleChanged();
  }

  ControllerState state_;
  Ram ram_{};
  DecodedLog log_;
  std::uint8_t lines_ = kResetLine;
  std::uint8_t shift_ = 0;
  int bitCount_ = 0;
  ChangeListener* listener_ = nullptr;
};

}  // namespace quorvane::module
