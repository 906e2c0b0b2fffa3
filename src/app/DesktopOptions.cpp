#include "app/DesktopOptions.h"

#include "platform/traces/TraceFactory.h"

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
    std::optional<std::string>* target = name == "--port"                ? &options.port
                                         : name == "--folder"            ? &options.folder
                                         : name == "--trace"             ? &options.trace
                                         : name == "--screenshot"        ? &options.screenshot
                                         : name == "--module-screenshot" ? &options.moduleScreenshot
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
  if (options.trace) options.error = platform::TraceNameError(*options.trace);
  return options;
}

std::string DesktopUsage() {
  return R"(Usage: quorvane [--port PORT] [--folder DIR] [--trace FILE] [--screenshot FILE.png]
                [--module-screenshot FILE.png]

The desktop workbench for display modules on the parallel port.

  --port PORT          where the bytes go (default: $QUORVANE_PORT, else auto):
                       auto, sim, ppdev[:DEVICE], io[:BASE], inpout32,
                       ftdi[:VID:PID[:INDEX]], gpio:CHIP:L0,L1,L2,L3,L4
                       (see quorvane-send --help)
  --folder DIR         the program folder with the event files and the picture
                       series; without it $QUORVANE_FOLDER, else this
                       program's own folder when it holds 0.evnt and is
                       writable (a portable layout), else the user's data
                       folder, filled on first use from the installed data
                       folder (see below)
  --trace FILE         record every port write of the session as it happens;
                       FILE.csv lists each write (index,time_us,address,value),
                       FILE.vcd is a value change dump of the lines SCLK, SDA,
                       DC, CS and RESET that PulseView and GTKWave open
  --screenshot FILE    start up, send the default command list, save a picture
                       of the main window and end
  --module-screenshot FILE
                       start up on the simulated port, run the reset event,
                       send the default init sequence and the picture
                       images/lcd_0.bmp, save a picture of the main, image and
                       module windows and end
  --help               this text

Environment: QUORVANE_PORT (the default of --port), QUORVANE_FOLDER (the
program folder), XDG_DATA_HOME and HOME (where the user's data folder is).
)";
}

}  // namespace quorvane::app
