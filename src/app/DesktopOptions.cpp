#include "app/DesktopOptions.h"

namespace quorvane::app {

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& args) {
  DesktopOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    std::optional<std::string>* target = name == "--port"         ? &options.port
                                         : name == "--trace"      ? &options.trace
                                         : name == "--screenshot" ? &options.screenshot
                                                                  : nullptr;
    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (target == nullptr) {
      options.error = "unknown option '" + args[i] + "'";
      return options;
    } else if (value) {
      *target = value;
    } else if (i + 1 < args.size()) {
      *target = args[++i];
    } else {
      options.error = name + " needs a value";
      return options;
    }
  }
  if (options.trace && !options.trace->ends_with(".csv")) {
    options.error = "the trace file must end in .csv: '" + *options.trace + "'";
  }
  return options;
}

std::string DesktopUsage() {
  return R"(Usage: quorvane [--port SPEC] [--trace FILE.csv] [--screenshot FILE.png]

The desktop workbench for display modules on the parallel port.

  --port SPEC          where the bytes go (default: $QUORVANE_PORT, else auto):
                       auto, sim, ppdev[:DEVICE], io[:BASE], inpout32
                       (see quorvane-send --help)
  --trace FILE.csv     record every port write: index,time_us,address,value
  --screenshot FILE    start up, save a picture of the main window and end
)";
}

}  // namespace quorvane::app
