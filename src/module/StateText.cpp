#include "module/StateText.h"

#include <cstdio>
#include <optional>

#include "global/CountText.h"
#include "module/Instruction.h"
#include "module/Pcd8544.h"

namespace quorvane::module {
namespace {

// "1.40"
std::string Volts(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

const char* RatingName(const ControllerState& state, bool supplied) {
  if (state.powerDown || !supplied) return "off";
  switch (RatingOf(state.vop)) {
    case VlcdRating::Off:
      return "off";
    case VlcdRating::Below:
      return "below 6.0 V";
    case VlcdRating::Within:
      return "within 6.0 to 8.5 V";
    case VlcdRating::Above:
      return "exceeds 8.5 V";
  }
  return "";
}

// "readable on glass of 1.38 to 1.50 V", or that no glass of the window's
// range reads the drive.
std::string ReadableGlassWords(const DotVoltages& voltages) {
  const std::optional<ThresholdRange> range = ReadableThresholds(voltages);
  if (!range) {
    return "readable on no glass of " + Volts(kMinGlassThreshold) + " to " +
           Volts(kMaxGlassThreshold) + " V";
  }
  return "readable on glass of " + Volts(range->lowest) + " to " + Volts(range->highest) + " V";
}

}  // namespace

std::string RegistersLine(const ControllerState& state) {
  static constexpr const char* kModeWords[] = {"display blank", "normal", "all on",
                                               "inverse video"};
  std::string line = state.powerDown ? "power-down" : "active";
  line += ", ";
  line += kModeWords[static_cast<int>(state.display)];
  line += state.vertical ? ", vertical" : ", horizontal";
  line += state.extended ? ", extended set" : ", basic set";
  line += ", X = " + std::to_string(state.x) + ", Y = " + std::to_string(state.y);
  return line;
}

std::string VoltageLine(const ControllerState& state) {
  // In power-down the generator is off whatever Vop holds; the log tells
  // what Vop gives once active.
  std::string line = "Vop = " + std::to_string(state.vop) + " (" +
                     (state.powerDown ? "0 V, generator off" : VopMeaning(state.vop, false)) + ")";
  line +=
      ", bias " + std::to_string(state.bias) + " (n = " + std::to_string(BiasN(state.bias)) + ")";
  line += ", TC " + std::to_string(state.temperatureCoefficient) + " (not modelled)";
  return line;
}

const char* DisplayModeName(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Blank:
      return "blank";
    case DisplayMode::Normal:
      return "normal";
    case DisplayMode::AllOn:
      return "all-on";
    case DisplayMode::Inverse:
      return "inverse";
  }
  return "";
}

const char* ContrastName(Contrast contrast) {
  switch (contrast) {
    case Contrast::Off:
      return "off";
    case Contrast::Faint:
      return "faint";
    case Contrast::Normal:
      return "normal";
    case Contrast::Dark:
      return "dark";
    case Contrast::Poor:
      return "poor";
  }
  return "";
}

std::string StateLine(const ControllerState& state) {
  return RegistersLine(state) + ", " + VoltageLine(state);
}

std::string GlassLine(const ControllerState& state, const Glass& glass) {
  const DotVoltages voltages = DotVoltagesOf(state);
  if (!voltages.Driven()) return "glass not driven: VLCD 0 V";
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.3f", voltages.Ratio());
  std::string line = "on dots " + Volts(voltages.selected) + " V rms, off dots " +
                     Volts(voltages.unselected) + " V rms, ratio " + ratio + ", glass threshold " +
                     Volts(glass.threshold) + " V: ";
  // The verdict holds for this glass; the range says which glasses agree.
  const Contrast contrast = ContrastOf(voltages, glass);
  switch (contrast) {
    case Contrast::Normal:
    case Contrast::Off:
      return line + ReadableGlassWords(voltages);
    case Contrast::Faint:
      line += "too faint";
      break;
    case Contrast::Dark:
      line += "too dark";
      break;
    case Contrast::Poor:
      line += "poor contrast";
      break;
  }
  if (BiasN(state.bias) != kBiasNFor48) line += " (bias n for 1:48 is 4)";
  return line + "; " + ReadableGlassWords(voltages);
}

std::string StateLines(const Pcd8544& module, const Glass& glass) {
  if (!module.Supplied()) {
    return "supply off (power switch): the module ignores its lines\nglass not driven";
  }
  if (!module.ResetSincePowerOn()) {
    return "no reset since power-on: state undefined\n"
           "a RESET low pulse sets the controller up; until then nothing readable shows";
  }
  const ControllerState& state = module.State();
  return RegistersLine(state) + "\n" + VoltageLine(state) + "\n" + GlassLine(state, glass);
}

std::string StateReport(const Pcd8544& module, Mounting mounting, const Glass& glass) {
  const ControllerState& state = module.State();
  const auto pair = [](const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\n";
  };
  // Nothing drives the glass without supply or before the first reset.
  const bool defined = module.Supplied() && module.ResetSincePowerOn();
  const DotVoltages voltages = defined ? DotVoltagesOf(state) : DotVoltages{};
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%.3f", voltages.Ratio());
  std::string text;
  text += pair("supply", module.Supplied() ? "on" : "off");
  text +=
      pair("reset", module.ResetSincePowerOn() ? "done" : "none since power-on (state undefined)");
  text += pair("power", state.powerDown ? "power-down" : "active");
  text += pair("display", DisplayModeName(state.display));
  text += pair("addressing", state.vertical ? "vertical" : "horizontal");
  text += pair("instruction-set", state.extended ? "extended" : "basic");
  text += pair("x", std::to_string(state.x));
  text += pair("y", std::to_string(state.y));
  text += pair("vop", std::to_string(state.vop));
  text += pair("vlcd", Volts(module.Supplied() ? VlcdVolts(state) : 0));
  text += pair("vlcd-rating", RatingName(state, module.Supplied()));
  text += pair("bias", std::to_string(state.bias));
  text += pair("bias-n", std::to_string(BiasN(state.bias)));
  text += pair("temperature-coefficient", std::to_string(state.temperatureCoefficient));
  text += pair("on-rms", Volts(voltages.selected));
  text += pair("off-rms", Volts(voltages.unselected));
  text += pair("on-off-ratio", ratio);
  text += pair("glass-threshold", Volts(glass.threshold));
  text += pair("contrast", ContrastName(ContrastOf(voltages, glass)));
  const std::optional<ThresholdRange> readable = ReadableThresholds(voltages);
  text += pair("readable-glass",
               readable ? Volts(readable->lowest) + " to " + Volts(readable->highest) : "none");
  text += pair("mounting", std::to_string(MountingDegrees(mounting)));
  text += pair("pending-bits", std::to_string(module.PendingBits()));
  const DecodedLog& log = module.Log();
  text += pair("log-entries", std::to_string(log.Total()));
  if (log.FirstKept() > 0) {
    text += '(';
    text += global::CountText(log.FirstKept(), "earlier entry", "earlier entries");
    text += " not kept)\n";
  }
  for (std::uint64_t n = log.FirstKept(); n < log.Total(); ++n) {
    text += DescribeEntry(log.At(n));
    text += '\n';
  }
  return text;
}

}  // namespace quorvane::module
