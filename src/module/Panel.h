#pragma once
// The glass in front of the controller: which dots show, how dark the supply
// voltage makes them, and which way round the module is mounted.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "module/ControllerState.h"

namespace quorvane::module {

class Pcd8544;

// 180° is how the module sits for the image transfer: the picture scan sends
// the bottom band first and the rightmost column first, into RAM address 0.
enum class Mounting : std::uint8_t { Rotated0, Rotated180 };
inline constexpr Mounting kDefaultMounting = Mounting::Rotated180;

// Panel pictures are at most 32 times the module's size (2688 × 1536).
inline constexpr int kMaxPanelScale = 32;

// "0" or "180"; anything else gives nothing.
std::optional<Mounting> ParseMounting(std::string_view text);
int MountingDegrees(Mounting mounting);

// How the glass responds to VLCD: Off with Vop 0 (no glass voltage), Faint
// below 6.0 V, Normal from 6.0 V to 8.5 V, Dark above.
enum class Contrast : std::uint8_t { Off, Faint, Normal, Dark };
Contrast ContrastOf(std::uint8_t vop);

// Darkness from 0 (clear) to 255 (black) of a dot that is driven dark, and of
// one that is driven clear: below 6.0 V dark dots fade out (gone at 4.5 V),
// above 8.5 V clear dots turn grey.
std::uint8_t DarkDotLevel(std::uint8_t vop);
std::uint8_t ClearDotLevel(std::uint8_t vop);

// The darkness of every dot as the viewer sees the mounted module: x from the
// left, y from the top.
struct PanelDots {
  std::array<std::uint8_t, kColumns * kRows> darkness{};
  std::uint8_t At(int x, int y) const {
    return darkness[static_cast<std::size_t>(y * kColumns + x)];
  }
};

// Nothing shows in power-down or blank mode, every dot in all-on mode, the RAM
// or its inverse otherwise.
PanelDots ShownDots(const Pcd8544& module, Mounting mounting);

}  // namespace quorvane::module
