#include "module/Glass.h"

#include <cmath>

#include "module/ControllerState.h"

namespace quorvane::module {

DotVoltages DotVoltagesFor(double vlcd, int n) {
  if (!(vlcd > 0)) return {};
  const double levels = n + 4;
  const double step = vlcd / levels;  // V5, the voltage of a row time not selected
  const auto rms = [&](double selectedTime) {
    return step * std::sqrt((selectedTime * selectedTime + (kMuxRate - 1)) / kMuxRate);
  };
  return {vlcd, rms(levels), rms(levels - 2)};
}

double VlcdVolts(const ControllerState& state) {
  if (state.powerDown || state.vop == 0) return 0;
  return VlcdCentivolts(state.vop) / 100.0;
}

DotVoltages DotVoltagesOf(const ControllerState& state) {
  return DotVoltagesFor(VlcdVolts(state), BiasN(state.bias));
}

std::uint8_t DotDarkness(double rms, const Glass& glass) {
  const double start = glass.threshold;
  const double full = glass.threshold * kGlassSteepness;
  if (!(rms > start)) return 0;
  if (rms >= full) return 255;
  return static_cast<std::uint8_t>(std::lround(255 * (rms - start) / (full - start)));
}

Contrast ContrastOf(const DotVoltages& voltages, const Glass& glass) {
  if (!voltages.Driven()) return Contrast::Off;
  const int selected = DotDarkness(voltages.selected, glass);
  const int unselected = DotDarkness(voltages.unselected, glass);
  if (2 * selected < 255) return Contrast::Faint;
  if (2 * unselected > 255) return Contrast::Dark;
  if (4 * (selected - unselected) < 3 * 255) return Contrast::Poor;
  return Contrast::Normal;
}

std::optional<ThresholdRange> ReadableThresholds(const DotVoltages& voltages) {
  std::optional<ThresholdRange> range;
  const auto lowest = std::lround(kMinGlassThreshold * 100);
  const auto highest = std::lround(kMaxGlassThreshold * 100);
  for (long centivolts = lowest; centivolts <= highest; ++centivolts) {
    const Glass glass{static_cast<double>(centivolts) / 100};
    if (ContrastOf(voltages, glass) != Contrast::Normal) continue;
    if (!range) range = ThresholdRange{glass.threshold, glass.threshold};
    range->highest = glass.threshold;
  }
  return range;
}

VlcdRating RatingOf(std::uint8_t vop) {
  if (vop == 0) return VlcdRating::Off;
  const int centivolts = VlcdCentivolts(vop);
  if (centivolts < kRatedVlcdMinCentivolts) return VlcdRating::Below;
  if (centivolts > kRatedVlcdMaxCentivolts) return VlcdRating::Above;
  return VlcdRating::Within;
}

}  // namespace quorvane::module
