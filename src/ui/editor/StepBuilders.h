#pragma once
// The step lines that the editor's three frames build, as pure functions of
// the frames' inputs: "SB" static bits, "DL" delay and "TX" transmit byte.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::ui {

// Levels of the lines D0 to D4 as check boxes show them; index = line number.
using LineLevels = std::array<bool, 5>;

// "SB," and the number text of the checked lines' bits (bit n = line Dn):
// SCLK, D/C and RESET give 'SB, 21'.
std::string StaticBitsLine(const LineLevels& levels);

// "DL," and the number text of the delay box's text read as a number and
// rounded to a 16-bit integer: '3.5' gives 'DL, 4', 'abc' gives 'DL, 0'.
// Nothing when the number lies outside -32768 to 32767.
std::optional<std::string> DelayLine(std::string_view delayText);

// What the transmit frame holds.
struct TransmitInputs {
  LineLevels levels{};     // only D2, D3 and D4 count
  bool highToLow = false;  // "High > Low" checked: "SH", otherwise "SL"
  bool msbFirst = false;   // "MSB > LSB" checked: "DH", otherwise "DL"
  std::string value;       // the value box's text; trimmed, never validated
};

// "TX," bits "," clock "," order "," value: 'TX, 12,SH,DL,200'.
std::string TransmitLine(const TransmitInputs& inputs);

}  // namespace quorvane::ui
