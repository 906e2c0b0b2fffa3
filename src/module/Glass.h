#pragma once
// The glass in front of the row and column drivers: the rms voltages that the
// multiplexed drive puts across its dots, and how dark a dot turns at its rms
// voltage. A dot of liquid crystal responds to the rms value of the voltage
// across it, so VLCD and the bias system decide together what the glass shows.

#include <cstdint>
#include <optional>

namespace quorvane::module {

struct ControllerState;

// The controller drives its 48 rows one at a time: mux rate 1:48.
inline constexpr int kMuxRate = 48;
// The bias system is 1/(n + 4); n = 4 is the one recommended for 1:48.
inline constexpr int kBiasNFor48 = 4;

// Bias system bits BS 0 to 7 give n = 7 down to 0 (BS 3 is n = 4).
constexpr int BiasN(std::uint8_t bs) {
  return 7 - (bs & 7);
}

// The rms voltages across the dots for one frame. A selected dot is one the
// controller drives dark; an unselected dot one it drives clear.
struct DotVoltages {
  double vlcd = 0;
  double selected = 0;
  double unselected = 0;
  bool Driven() const { return vlcd > 0; }
  // The on/off ratio; 0 when nothing is driven.
  double Ratio() const { return unselected > 0 ? selected / unselected : 0; }
};

// With bias levels V1 = VLCD, V2 = (n+3)/(n+4), V3 = (n+2)/(n+4),
// V4 = 2/(n+4), V5 = 1/(n+4) of VLCD and V6 = 0, a row in its select time
// sees VLCD across a selected dot and (n+2)/(n+4) VLCD across an unselected
// one; in the other 47 row times every dot sees ±VLCD/(n+4). Over a frame:
//   selected² = ((n+4)² + 47) / 48 × (VLCD/(n+4))²
//   unselected² = ((n+2)² + 47) / 48 × (VLCD/(n+4))²
DotVoltages DotVoltagesFor(double vlcd, int n);

// VLCD in volts as the chip drives the glass: 0 with the generator off (Vop 0
// or power-down). The temperature coefficient is not modelled.
double VlcdVolts(const ControllerState& state);
DotVoltages DotVoltagesOf(const ControllerState& state);

// The glass threshold: the rms voltage at which a dot starts to darken. The
// default comes from the chip's rated VLCD range and its optimum VLCD for
// 1:48, VLCD = 6.06 × threshold (see docs/virtual-module.md).
inline constexpr double kDefaultGlassThreshold = 1.20;
inline constexpr double kMinGlassThreshold = 0.50;
inline constexpr double kMaxGlassThreshold = 3.00;
// A dot is fully dark 10 % above the threshold: a steep glass, as 1:48 needs
// (its drive's best on/off ratio is 1.156).
inline constexpr double kGlassSteepness = 1.10;

struct Glass {
  double threshold = kDefaultGlassThreshold;
};

// How dark a dot turns at an rms voltage: 0 (clear) at or below the
// threshold, 255 (black) from 1.1 times the threshold, linear between.
std::uint8_t DotDarkness(double rms, const Glass& glass);

// What the glass shows in words: Off when nothing drives it, Faint when driven
// dots stay less than half dark, Dark when clear dots turn more than half
// dark, Poor when the two differ by less than three quarters, else Normal.
enum class Contrast : std::uint8_t { Off, Faint, Normal, Dark, Poor };
Contrast ContrastOf(const DotVoltages& voltages, const Glass& glass);

// The thresholds, in the window's steps of 0.01 V from kMinGlassThreshold to
// kMaxGlassThreshold, of the glasses that show the drive readable (Normal).
// They form one range: a lower threshold darkens the clear dots, a higher one
// leaves the driven dots faint, and the contrast between the two rises and
// falls once. None when no glass of that range reads the drive.
struct ThresholdRange {
  double lowest = 0;
  double highest = 0;
};
std::optional<ThresholdRange> ReadableThresholds(const DotVoltages& voltages);

// The programmed VLCD against the chip's rating (6.0 V to 8.5 V), ignoring
// power-down: Off for Vop 0.
enum class VlcdRating : std::uint8_t { Off, Below, Within, Above };
VlcdRating RatingOf(std::uint8_t vop);

}  // namespace quorvane::module
