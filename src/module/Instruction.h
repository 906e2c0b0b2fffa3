#pragma once
// The controller's instruction set: what a command byte means in the basic
// (H = 0) or the extended (H = 1) set, and its meaning in words.

#include <cstdint>
#include <string>

namespace quorvane::module {

enum class Instruction : std::uint8_t {
  Nop,
  FunctionSet,         // operand: PD V H in bits 2 to 0
  DisplayControl,      // operand: the DisplayMode
  SetY,                // basic set
  SetX,                // basic set
  TemperatureControl,  // extended set
  Bias,                // extended set
  SetVop,              // extended set
  Reserved
};

struct Command {
  Instruction instruction = Instruction::Reserved;
  std::uint8_t operand = 0;
  bool outOfRange = false;  // an address beyond the RAM: the controller ignores it
  friend bool operator==(const Command&, const Command&) = default;
};

// 0x80 to 0xFF is Set X in the basic set and Set Vop in the extended set.
Command DecodeCommand(std::uint8_t byte, bool extended);

// "0x21 function set: active, horizontal, extended set", "0xC8 set Vop = 72 (7.38 V)";
// powerDown: the controller was in power-down when it took the byte.
std::string DescribeCommand(std::uint8_t byte, bool extended, bool powerDown = false);

// "7.38 V": the voltage Vop programs.
std::string VlcdText(std::uint8_t vop);

// What a Vop gives the glass: "7.38 V", "10.68 V, exceeds the 8.5 V rating",
// "5.28 V, below the 6.0 V rating", "0 V, generator off" for Vop 0 and, in
// power-down, "0 V, generator off in power-down; 7.38 V once active".
std::string VopMeaning(std::uint8_t vop, bool powerDown);

}  // namespace quorvane::module
