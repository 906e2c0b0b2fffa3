#include "module/Pcd8544.h"

#include "module/Instruction.h"

namespace quorvane::module {

bool Pcd8544::RamDot(int column, int row) const {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
  return (ram_[static_cast<std::size_t>(row / 8 * kColumns + column)] >> (row % 8) & 1) != 0;
}

void Pcd8544::EnterReset() {
  // RESET interrupts a byte on the wire; the registers take their reset
  // values, the display RAM keeps its contents.
  if (bitCount_ != 0) DropPartialByte(LogKind::DroppedByReset);
  state_ = ControllerState{};
  log_.Add({LogKind::Reset});
  Changed();
}

void Pcd8544::DropPartialByte(LogKind cause) {
  log_.Add({cause, static_cast<std::uint8_t>(bitCount_)});
  bitCount_ = 0;
  Changed();
}

void Pcd8544::AcceptByte(bool isData) {
  bitCount_ = 0;
  if (isData) {
    WriteData(shift_);
  } else {
    log_.Add({LogKind::Command, shift_, state_.extended});
    Execute(shift_);
  }
  Changed();
}

void Pcd8544::WriteData(std::uint8_t byte) {
  log_.Add({LogKind::Data, byte, state_.extended, state_.x, state_.y});
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
