#pragma once
// The panel as the viewer sees it: which dots the controller drives dark, how
// dark the glass turns them, and which way round the module is mounted.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "module/ControllerState.h"
#include "module/Glass.h"

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

// The darkness of every dot as the viewer sees the mounted module: x from the
// left, y from the top.
struct PanelDots {
  std::array<std::uint8_t, kColumns * kRows> darkness{};
  std::uint8_t At(int x, int y) const {
    return darkness[static_cast<std::size_t>(y * kColumns + x)];
  }
};

// The RAM or its inverse selects the dots in normal and inverse video, every
// dot in all-on mode, none in blank mode; each dot darkens by the rms voltage
// across it (unselected dots too: a blank display shows grey when VLCD is too
// high). Nothing shows without supply, before the first reset since
// power-on, in power-down or with Vop 0.
PanelDots ShownDots(const Pcd8544& module, Mounting mounting, const Glass& glass = {});

}  // namespace quorvane::module
