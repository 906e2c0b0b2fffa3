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

// What the reset pulse (and power-on) leaves in the registers.
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

// The glass voltage VLCD = 3.06 V + 0.06 V × Vop, in hundredths of a volt.
constexpr int VlcdCentivolts(std::uint8_t vop) {
  return 306 + 6 * vop;
}

// Below 6.0 V (Vop 49) the dark dots fade, above 8.5 V (Vop 90 gives 8.46 V,
// 91 gives 8.52 V) the clear dots darken; Vop 0 leaves the glass undriven.
inline constexpr std::uint8_t kLowestClearVop = 49;
inline constexpr std::uint8_t kHighestClearVop = 90;

}  // namespace quorvane::module
