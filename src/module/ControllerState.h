#pragma once
// The registers of a PCD8544-class controller that decide what the glass
// shows, and the hardware facts about its supply voltage.

#include <cstdint>

namespace quorvane::module {

// Display RAM: 84 columns by six banks of eight rows.
inline constexpr int kColumns = 84;
inline constexpr int kBanks = 6;
inline constexpr int kRows = kBanks * 8;

// Display control (D and E bits): blank, normal, all segments on, inverse video.
enum class DisplayMode : std::uint8_t { Blank, Normal, AllOn, Inverse };

// What the reset pulse leaves in the registers. At power-on the registers
// hold whatever they hold until the first reset.
struct ControllerState {
  bool powerDown = true;  // PD
  bool vertical = false;  // V: addressing advances Y first
  bool extended = false;  // H: the extended instruction set
  DisplayMode display = DisplayMode::Blank;
  std::uint8_t x = 0;                       // 0 to 83
  std::uint8_t y = 0;                       // 0 to 5
  std::uint8_t temperatureCoefficient = 0;  // TC, 0 to 3
  std::uint8_t bias = 0;                    // BS, 0 to 7
  std::uint8_t vop = 0;                     // 0 to 127; 0 switches the high-voltage generator off
  friend bool operator==(const ControllerState&, const ControllerState&) = default;
};

// The voltage the generator is programmed to, VLCD = 3.06 V + 0.06 V × Vop,
// in hundredths of a volt (at the temperature the datasheet gives it for).
// Vop 0 switches the generator off, and so does power-down.
constexpr int VlcdCentivolts(std::uint8_t vop) {
  return 306 + 6 * vop;
}

// The internally generated VLCD is rated 6.0 V to 8.5 V: Vop 49 (6.00 V) to
// Vop 90 (8.46 V); Vop 91 gives 8.52 V.
inline constexpr int kRatedVlcdMinCentivolts = 600;
inline constexpr int kRatedVlcdMaxCentivolts = 850;

}  // namespace quorvane::module
