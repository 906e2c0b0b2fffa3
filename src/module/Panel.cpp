#include "module/Panel.h"

#include "module/Pcd8544.h"

namespace quorvane::module {
namespace {

// Vop 24 gives 4.50 V, where dark dots have faded out; Vop 127 (10.68 V) turns
// clear dots 180/255 dark.
constexpr int kFadedOutVop = 24;
constexpr int kMaxClearDarkness = 180;
constexpr int kMaxVop = 127;

}  // namespace

std::optional<Mounting> ParseMounting(std::string_view text) {
  if (text == "0") return Mounting::Rotated0;
  if (text == "180") return Mounting::Rotated180;
  return std::nullopt;
}

int MountingDegrees(Mounting mounting) {
  return mounting == Mounting::Rotated180 ? 180 : 0;
}

Contrast ContrastOf(std::uint8_t vop) {
  if (vop == 0) return Contrast::Off;
  if (vop < kLowestClearVop) return Contrast::Faint;
  if (vop > kHighestClearVop) return Contrast::Dark;
  return Contrast::Normal;
}

std::uint8_t DarkDotLevel(std::uint8_t vop) {
  if (vop >= kLowestClearVop) return 255;
  if (vop <= kFadedOutVop) return 0;
  return static_cast<std::uint8_t>((vop - kFadedOutVop) * 255 / (kLowestClearVop - kFadedOutVop));
}

std::uint8_t ClearDotLevel(std::uint8_t vop) {
  const int level = vop > kMaxVop ? kMaxVop : vop;
  if (level <= kHighestClearVop) return 0;
  return static_cast<std::uint8_t>((level - kHighestClearVop) * kMaxClearDarkness /
                                   (kMaxVop - kHighestClearVop));
}

PanelDots ShownDots(const Pcd8544& module, Mounting mounting) {
  PanelDots dots;
  const ControllerState& state = module.State();
  // In power-down every output sits at VSS: no voltage on the glass at all.
  if (state.powerDown) return dots;
  const std::uint8_t dark = DarkDotLevel(state.vop);
  const std::uint8_t clear = ClearDotLevel(state.vop);
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      const int column = mounting == Mounting::Rotated180 ? kColumns - 1 - x : x;
      const int row = mounting == Mounting::Rotated180 ? kRows - 1 - y : y;
      bool on = false;
      switch (state.display) {
        case DisplayMode::Blank:
          on = false;
          break;
        case DisplayMode::AllOn:
          on = true;
          break;
        case DisplayMode::Normal:
          on = module.RamDot(column, row);
          break;
        case DisplayMode::Inverse:
          on = !module.RamDot(column, row);
          break;
      }
      dots.darkness[static_cast<std::size_t>(y * kColumns + x)] = on ? dark : clear;
    }
  }
  return dots;
}

}  // namespace quorvane::module
