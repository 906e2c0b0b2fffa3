#include "module/ShownDots.h"

#include "module/Pcd8544.h"

namespace quorvane::module {

std::optional<Mounting> ParseMounting(std::string_view text) {
  if (text == "0") return Mounting::Rotated0;
  if (text == "180") return Mounting::Rotated180;
  return std::nullopt;
}

int MountingDegrees(Mounting mounting) {
  return mounting == Mounting::Rotated180 ? 180 : 0;
}

PanelDots ShownDots(const Pcd8544& module, Mounting mounting, const Glass& glass) {
  PanelDots dots;
  if (!module.Supplied() || !module.ResetSincePowerOn()) return dots;
  const ControllerState& state = module.State();
  // In power-down every output sits at VSS, and with Vop 0 VLCD is 0 V: no
  // voltage on the glass at all.
  const DotVoltages voltages = DotVoltagesOf(state);
  if (!voltages.Driven()) return dots;
  const std::uint8_t selected = DotDarkness(voltages.selected, glass);
  const std::uint8_t unselected = DotDarkness(voltages.unselected, glass);
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
      dots.darkness[static_cast<std::size_t>(y * kColumns + x)] = on ? selected : unselected;
    }
  }
  return dots;
}

}  // namespace quorvane::module
