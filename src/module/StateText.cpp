#include "module/StateText.h"

#include "global/CountText.h"

#include "module/Instruction.h"
#include "module/Pcd8544.h"

namespace quorvane::module {

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
  }
  return "";
}

std::string StateLine(const ControllerState& state) {
  static constexpr const char* kModeWords[] = {"display blank", "normal", "all on",
                                               "inverse video"};
  std::string line = state.powerDown ? "power-down" : "active";
  line += ", ";
  line += kModeWords[static_cast<int>(state.display)];
  line += state.vertical ? ", vertical" : ", horizontal";
  line += state.extended ? ", extended set" : ", basic set";
  line += ", X = " + std::to_string(state.x) + ", Y = " + std::to_string(state.y);
  line += ", Vop = " + std::to_string(state.vop) + " (" + VlcdText(state.vop);
  switch (ContrastOf(state.vop)) {
    case Contrast::Off:
      line += ", generator off";
      break;
    case Contrast::Faint:
      line += ", too low: faint";
      break;
    case Contrast::Dark:
      line += ", too high: dark";
      break;
    case Contrast::Normal:
      break;
  }
  line += "), bias " + std::to_string(state.bias);
  line += ", TC " + std::to_string(state.temperatureCoefficient);
  return line;
}

std::string StateReport(const Pcd8544& module, Mounting mounting) {
  const ControllerState& state = module.State();
  const auto pair = [](const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\n";
  };
  std::string vlcd = VlcdText(state.vop);
  vlcd.resize(vlcd.size() - 2);  // without " V"
  std::string text;
  text += pair("power", state.powerDown ? "power-down" : "active");
  text += pair("display", DisplayModeName(state.display));
  text += pair("addressing", state.vertical ? "vertical" : "horizontal");
  text += pair("instruction-set", state.extended ? "extended" : "basic");
  text += pair("x", std::to_string(state.x));
  text += pair("y", std::to_string(state.y));
  text += pair("vop", std::to_string(state.vop));
  text += pair("vlcd", vlcd);
  text += pair("contrast", ContrastName(ContrastOf(state.vop)));
  text += pair("bias", std::to_string(state.bias));
  text += pair("temperature-coefficient", std::to_string(state.temperatureCoefficient));
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
