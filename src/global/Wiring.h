#pragma once
// How the module hangs on the port: which data line carries which of its
// signals. Bit n of a data-register byte drives line Dn; D5 to D7 carry no
// signal of the module. Every part that reads or names a line's bit (the
// interpreter, the emulated module, the lamps and trace, the value change
// dump, the GPIO and adapter pins, the editor's boxes) takes it from here.

#include <array>
#include <cstdint>

namespace quorvane::global {

inline constexpr std::uint8_t kSclkLine = 0x01;   // D0, serial clock
inline constexpr std::uint8_t kSdaLine = 0x02;    // D1, serial data
inline constexpr std::uint8_t kDcLine = 0x04;     // D2, data (high) or command (low)
inline constexpr std::uint8_t kCsLine = 0x08;     // D3, chip select, active low
inline constexpr std::uint8_t kResetLine = 0x10;  // D4, reset, active low

// D0 to D4, the lines that carry the module's signals.
inline constexpr int kSignalLines = 5;
inline constexpr std::uint8_t kSignalLineMask = 0x1F;

// One signal line and the names it goes by.
struct SignalLine {
  std::uint8_t bit;
  const char* legend;  // the main window's legend: "D2 = DATA/COMMAND"
  const char* label;   // the check boxes of the event editor: "D/C"
  const char* lane;    // the lanes of the trace picture: "RES"
  const char* wire;    // the wires of the value change dump: "DC"
};

// Index n is line Dn.
inline constexpr std::array<SignalLine, kSignalLines> kSignalLineNames = {{
    {kSclkLine, "D0 = SCLK", "SCLK", "SCLK", "SCLK"},
    {kSdaLine, "D1 = SDA", "SDA", "SDA", "SDA"},
    {kDcLine, "D2 = DATA/COMMAND", "D/C", "D/C", "DC"},
    {kCsLine, "D3 = CS", "CS", "CS", "CS"},
    {kResetLine, "D4 = RESET", "RESET", "RES", "RESET"},
}};

}  // namespace quorvane::global
