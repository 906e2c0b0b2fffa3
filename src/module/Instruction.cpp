#include "module/Instruction.h"

#include <cstdio>

#include "global/HexText.h"
#include "module/ControllerState.h"
#include "module/Glass.h"

namespace quorvane::module {
namespace {

const char* ModeName(std::uint8_t mode) {
  switch (static_cast<DisplayMode>(mode)) {
    case DisplayMode::Blank:
      return "blank";
    case DisplayMode::Normal:
      return "normal";
    case DisplayMode::AllOn:
      return "all on";
    case DisplayMode::Inverse:
      return "inverse video";
  }
  return "";
}

}  // namespace

Command DecodeCommand(std::uint8_t byte, bool extended) {
  if (byte == 0x00) return {Instruction::Nop, 0, false};
  if ((byte & 0xF8) == 0x20) return {Instruction::FunctionSet, static_cast<std::uint8_t>(byte & 7)};
  if (byte & 0x80) {
    const auto operand = static_cast<std::uint8_t>(byte & 0x7F);
    if (extended) return {Instruction::SetVop, operand, false};
    return {Instruction::SetX, operand, operand >= kColumns};
  }
  if (extended) {
    if ((byte & 0xFC) == 0x04) {
      return {Instruction::TemperatureControl, static_cast<std::uint8_t>(byte & 3)};
    }
    if ((byte & 0xF8) == 0x10) return {Instruction::Bias, static_cast<std::uint8_t>(byte & 7)};
    return {};
  }
  // Display control is 0000 1D0E: D in bit 2, E in bit 0.
  if ((byte & 0xFA) == 0x08) {
    const bool d = (byte & 4) != 0;
    const bool e = (byte & 1) != 0;
    const DisplayMode mode = d ? (e ? DisplayMode::Inverse : DisplayMode::Normal)
                               : (e ? DisplayMode::AllOn : DisplayMode::Blank);
    return {Instruction::DisplayControl, static_cast<std::uint8_t>(mode)};
  }
  if ((byte & 0xF8) == 0x40) {
    const auto operand = static_cast<std::uint8_t>(byte & 7);
    return {Instruction::SetY, operand, operand >= kBanks};
  }
  return {};
}

std::string VlcdText(std::uint8_t vop) {
  const int centivolts = VlcdCentivolts(vop);
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d V", centivolts / 100, centivolts % 100);
  return text;
}

std::string VopMeaning(std::uint8_t vop, bool powerDown) {
  const VlcdRating rating = RatingOf(vop);
  if (rating == VlcdRating::Off) return "0 V, generator off";
  std::string text = VlcdText(vop);
  if (powerDown) text = "0 V, generator off in power-down; " + text + " once active";
  if (rating == VlcdRating::Above) text += ", exceeds the 8.5 V rating";
  if (rating == VlcdRating::Below) text += ", below the 6.0 V rating";
  return text;
}

std::string DescribeCommand(std::uint8_t byte, bool extended, bool powerDown) {
  const Command command = DecodeCommand(byte, extended);
  const std::string operand = std::to_string(command.operand);
  std::string meaning;
  switch (command.instruction) {
    case Instruction::Nop:
      meaning = "no operation";
      break;
    case Instruction::FunctionSet:
      meaning = std::string("function set: ") + (command.operand & 4 ? "power-down" : "active") +
                (command.operand & 2 ? ", vertical" : ", horizontal") +
                (command.operand & 1 ? ", extended set" : ", basic set") +
                (command.operand & 4 ? " (VLCD 0 V, generator off)" : "");
      break;
    case Instruction::DisplayControl:
      meaning = std::string("display control: ") + ModeName(command.operand);
      break;
    case Instruction::SetY:
      meaning = "set Y = " + operand;
      if (command.outOfRange) meaning += ": out of range (0 to 5), ignored";
      break;
    case Instruction::SetX:
      meaning = "set X = " + operand;
      if (command.outOfRange) meaning += ": out of range (0 to 83), ignored";
      break;
    case Instruction::TemperatureControl:
      meaning = "temperature coefficient " + operand;
      break;
    case Instruction::Bias:
      meaning = "bias system " + operand + " (n = " + std::to_string(BiasN(command.operand)) + ")";
      break;
    case Instruction::SetVop:
      meaning = "set Vop = " + operand + " (" + VopMeaning(command.operand, powerDown) + ")";
      break;
    case Instruction::Reserved:
      meaning =
          extended ? "reserved in the extended set, ignored" : "reserved in the basic set, ignored";
      break;
  }
  return global::HexNumber(byte, 2) + " " + meaning;
}

}  // namespace quorvane::module
