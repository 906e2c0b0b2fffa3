#include "module/Pcd8544.h"

#include "module/Instruction.h"

namespace quorvane::module {

Pcd8544::Ram Pcd8544::PowerOnRam(std::uint32_t seed) {
  // xorshift32; a zero state would stay zero.
  std::uint32_t x = seed != 0 ? seed : 0x9E3779B9u;
  Ram ram;
  for (std::uint8_t& byte : ram) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    byte = static_cast<std::uint8_t>(x >> 24);
  }
  return ram;
}

Pcd8544::Pcd8544(std::uint32_t powerOnSeed) : powerOnSeed_(powerOnSeed) {
  ram_ = PowerOnRam(powerOnSeed_);
}

bool Pcd8544::RamDot(int column, int row) const {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
  return (ram_[static_cast<std::size_t>(row / 8 * kColumns + column)] >> (row % 8) & 1) != 0;
}

bool Pcd8544::WatchPowerSwitch(std::uint8_t lines) {
  watch_ = 0;
  if (lines != 0 || !supplied_) return false;
  // The power switch turned off: whatever was being received is lost with
  // the supply.
  supplied_ = false;
  bitCount_ = 0;
  sdaLate_ = 0;
  dcLate_ = false;
  log_.Add({LogKind::SupplyOff});
  Changed();
  return true;
}

void Pcd8544::WriteControl(std::uint8_t value) {
  watch_ = value == 0xFF && supplied_ ? kPowerOffPending : 0;
  if (value == 0x00 && !supplied_) PowerOn();
}

void Pcd8544::PowerOn() {
  // Registers and RAM come up undefined. RESET held low while the supply
  // rises resets the registers, as a pulse after power-on does.
  supplied_ = true;
  ram_ = PowerOnRam(powerOnSeed_);
  state_ = ControllerState{};
  shift_ = 0;
  undefinedLogged_ = false;
  const bool heldInReset = (lines_ & kResetLine) == 0;
  resetSincePowerOn_ = heldInReset;
  log_.Add({LogKind::SupplyOn, static_cast<std::uint8_t>(heldInReset ? 1 : 0)});
  Changed();
}

void Pcd8544::EnterReset() {
  // RESET interrupts a byte on the wire; the registers take their reset
  // values, the display RAM keeps its contents.
  if (bitCount_ != 0) DropPartialByte(LogKind::DroppedByReset);
  state_ = ControllerState{};
  resetSincePowerOn_ = true;
  log_.Add({LogKind::Reset});
  Changed();
}

void Pcd8544::LogSetupViolation() {
  const auto sdaLate = static_cast<std::uint8_t>(sdaLate_ & kSdaLateMask);
  log_.Add({LogKind::SetupViolation, static_cast<std::uint8_t>(sdaLate | (dcLate_ ? kDcLate : 0))});
  sdaLate_ = 0;
  dcLate_ = false;
}

void Pcd8544::LogIgnoredEdge(std::uint8_t previous) {
  const auto cause = static_cast<std::uint8_t>(((previous & kCsLine) != 0 ? kCsFell : 0) |
                                               ((previous & kResetLine) == 0 ? kResetRose : 0));
  log_.Add({LogKind::EdgeIgnored, cause});
  Changed();
}

void Pcd8544::DropPartialByte(LogKind cause) {
  if (sdaLate_ != 0) LogSetupViolation();
  log_.Add({cause, static_cast<std::uint8_t>(bitCount_)});
  bitCount_ = 0;
  Changed();
}

void Pcd8544::AcceptByte(bool isData) {
  bitCount_ = 0;
  if (sdaLate_ != 0 || dcLate_) LogSetupViolation();
  if (!resetSincePowerOn_ && !undefinedLogged_) {
    log_.Add({LogKind::NoReset});
    undefinedLogged_ = true;
  }
  if (isData) {
    WriteData(shift_);
  } else {
    log_.Add({LogKind::Command, shift_, state_.extended, state_.powerDown});
    Execute(shift_);
  }
  Changed();
}

void Pcd8544::WriteData(std::uint8_t byte) {
  log_.Add({LogKind::Data, byte, state_.extended, state_.powerDown, state_.x, state_.y});
  ram_[static_cast<std::size_t>(state_.y * kColumns + state_.x)] = byte;
  // After the last address (X = 83, Y = 5) both counters wrap to 0.
  if (state_.vertical) {
    if (++state_.y == kBanks) {
      state_.y = 0;
      if (++state_.x == kColumns) state_.x = 0;
    }
  } else if (++state_.x == kColumns) {
    state_.x = 0;
    if (++state_.y == kBanks) state_.y = 0;
  }
}

void Pcd8544::Execute(std::uint8_t command) {
  const Command decoded = DecodeCommand(command, state_.extended);
  if (decoded.outOfRange) return;
  const std::uint8_t operand = decoded.operand;
  switch (decoded.instruction) {
    case Instruction::FunctionSet:
      state_.powerDown = (operand & 4) != 0;
      state_.vertical = (operand & 2) != 0;
      state_.extended = (operand & 1) != 0;
      break;
    case Instruction::DisplayControl:
      state_.display = static_cast<DisplayMode>(operand);
      break;
    case Instruction::SetY:
      state_.y = operand;
      break;
    case Instruction::SetX:
      state_.x = operand;
      break;
    case Instruction::TemperatureControl:
      state_.temperatureCoefficient = operand;
      break;
    case Instruction::Bias:
      state_.bias = operand;
      break;
    case Instruction::SetVop:
      state_.vop = operand;
      break;
    case Instruction::Nop:
    case Instruction::Reserved:
      break;
  }
}

}  // namespace quorvane::module
