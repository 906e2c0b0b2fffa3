#include "cli/SendOptions.h"

#include <cstdio>
#include <map>

#include "cli/OptionNumbers.h"
#include "events/ValueList.h"

namespace quorvane::cli {
namespace {

struct ActionFlag {
  ActionKind kind;
  bool takesArgument;
};

const std::map<std::string, ActionFlag>& ActionFlags() {
  static const std::map<std::string, ActionFlag> flags = {
      {"--startup", {ActionKind::Startup, false}},  {"--reset", {ActionKind::Reset, false}},
      {"--command", {ActionKind::Command, true}},   {"--data", {ActionKind::Data, true}},
      {"--init", {ActionKind::Init, true}},         {"--event", {ActionKind::Event, true}},
      {"--power-on", {ActionKind::PowerOn, false}}, {"--power-off", {ActionKind::PowerOff, false}},
      {"--zero", {ActionKind::Zero, false}},        {"--shutdown", {ActionKind::Shutdown, false}},
      {"--image", {ActionKind::Image, true}},       {"--series", {ActionKind::Series, false}},
  };
  return flags;
}

// A voltage in volts, a number by the one rule of option numbers, optionally
// followed by "V" ("1.2", "1.20V", "1e0").
std::optional<double> ReadVolts(std::string value) {
  if (!value.empty() && (value.back() == 'V' || value.back() == 'v')) value.pop_back();
  return ReadOptionNumber(value);
}

// --panel-scale takes 1 to kMaxPanelScale, --panel-mounting 0 or 180,
// --panel-glass-threshold a voltage from kMinGlassThreshold to kMaxGlassThreshold.
bool ParsePanelValue(const std::string& name, const std::string& value, SendOptions& options,
                     std::string& error) {
  if (name == "--panel-glass-threshold") {
    const auto volts = ReadVolts(value);
    if (!volts || *volts < module::kMinGlassThreshold || *volts > module::kMaxGlassThreshold) {
      char range[64];
      std::snprintf(range, sizeof range, "%.2f to %.2f", module::kMinGlassThreshold,
                    module::kMaxGlassThreshold);
      error = "--panel-glass-threshold takes a voltage from " + std::string(range) +
              " (volts), not '" + value + "'";
      return false;
    }
    options.panelGlassThreshold = *volts;
    return true;
  }
  if (name == "--panel-mounting") {
    const auto mounting = module::ParseMounting(value);
    if (!mounting) error = "--panel-mounting takes 0 or 180 (degrees), not '" + value + "'";
    if (mounting) options.panelMounting = *mounting;
    return mounting.has_value();
  }
  const auto scale = ReadWholeOptionNumber(value, 1, module::kMaxPanelScale);
  if (!scale) {
    error = "--panel-scale takes a whole number from 1 to " +
            std::to_string(module::kMaxPanelScale) + ", not '" + value + "'";
    return false;
  }
  options.panelScale = *scale;
  return true;
}

}  // namespace

// Read by hand: actions repeat and keep their order, which a parser's values by name would lose.
ParsedSendOptions ParseSendOptions(const std::vector<std::string>& args) {
  ParsedSendOptions parsed;
  SendOptions& options = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      inlineValue = name.substr(equals + 1);
      name.resize(equals);
    }
    const auto takeValue = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 < args.size()) return args[++i];
      parsed.error = name + " needs a value";
      return std::nullopt;
    };
    const auto takeOption = [&](std::optional<std::string>& target) {
      target = takeValue();
      return target.has_value();
    };

    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--virtual-time") {
      options.virtualTime = true;
    } else if (name == "--threshold") {
      const auto value = takeValue();
      if (!value) return parsed;
      const auto position = ReadWholeOptionNumber(*value, 0, image::kMaxThresholdPosition);
      if (!position) {
        parsed.error =
            "--threshold takes a slider position, a whole number from 0 to 32767, not '" + *value +
            "'";
        return parsed;
      }
      options.threshold = *position;
    } else if (name == "--panel-state") {
      if (inlineValue) {
        parsed.error = name + " takes no value";
        return parsed;
      }
      options.panelState = true;
    } else if (name == "--panel-png") {
      if (!takeOption(options.panelPng)) return parsed;
    } else if (name == "--panel-scale" || name == "--panel-mounting" ||
               name == "--panel-glass-threshold") {
      const auto value = takeValue();
      if (!value) return parsed;
      if (!ParsePanelValue(name, *value, options, parsed.error)) return parsed;
    } else if (name == "--port" || name == "--folder" || name == "--trace") {
      auto& target = name == "--port"     ? options.port
                     : name == "--folder" ? options.folder
                                          : options.trace;
      if (!takeOption(target)) return parsed;
      // An empty folder would stand for the root folder.
      if (name == "--folder" && target->empty()) {
        parsed.error = "--folder needs a folder, not an empty text";
        return parsed;
      }
    } else if (const auto flag = ActionFlags().find(name); flag != ActionFlags().end()) {
      SendAction action{flag->second.kind, {}};
      if (flag->second.takesArgument) {
        const auto value = takeValue();
        if (!value) return parsed;
        action.argument = *value;
      } else if (inlineValue) {
        parsed.error = name + " takes no value";
        return parsed;
      }
      if (session::IsValueList(action.kind)) {
        const events::ValueList list = events::ParseValueList(action.argument);
        if (list.Refused()) {
          parsed.error = "the list of " + name + " is refused: " + list.error;
          return parsed;
        }
      }
      options.actions.push_back(std::move(action));
    } else {
      parsed.error = "unknown option '" + args[i] + "'";
      return parsed;
    }
  }
  if (!options.help && options.actions.empty()) parsed.error = "no action given";
  if (!options.help && options.panelScale && !options.panelPng) {
    parsed.error = "--panel-scale goes with --panel-png";
  } else if (!options.help && options.panelMounting && !options.WantsPanel()) {
    parsed.error = "--panel-mounting goes with --panel-png or --panel-state";
  } else if (!options.help && options.panelGlassThreshold && !options.WantsPanel()) {
    parsed.error = "--panel-glass-threshold goes with --panel-png or --panel-state";
  }
  return parsed;
}

std::string SendUsage() {
  return R"(Usage: quorvane-send [--port PORT] [--folder DIR] [--trace FILE] [--virtual-time] ACTION...

Drives a display module on the parallel port through the event files of the
program folder, without the desktop program. Actions run in the order given.

Actions:
  --startup         the start-up sequence: 500 ms pause, RESET raised from all
                    lines low (data register 0x10), 0xFF to the control register
  --reset           run the reset event "0.evnt"
  --command LIST    send a value list as command bytes ("1.evnt" per byte)
  --data LIST       send a value list as data bytes ("2.evnt" per byte)
  --init LIST       send an initialisation sequence, as command bytes
  --event NAME      run the event NAME.evnt with byte 0
  --power-on        power switch on: control register 0x00, 50 ms, RESET low
                    (0xEF) for 500 ms, then 0xFF
  --power-off       power switch off: control register 0xFF, data register 0
  --zero            "Do 0": every line low
  --shutdown        0 to the data register, then 0 to the control register;
                    given anywhere, it also follows a stop signal (below)
  --image FILE      send a bitmap, JPEG or PNG picture as data bytes: stretched
                    onto 84 x 48 pixels, cut at the threshold, 504 bytes
  --series          send the pictures images/lcd_0.bmp, lcd_1.bmp, ... of the
                    program folder, up to the first one missing; a picture
                    whose send reports a problem ends the series, named

A value list holds comma-separated byte values (0 to 255) and delay items
"#n" that wait n milliseconds, e.g. "33, 200, 5, 21, 32, 9, #500, 8, #500, 13".
Numbers may be decimal, 0x or &H hexadecimal (0x21, &H21) or &O octal. The
list ends at its first empty item. A list with an item that is not wholly a
number ("21h", "abc") or not a byte is refused whole.

Options:
  --port PORT       where the bytes go (default: $QUORVANE_PORT, else auto):
                      auto             the parallel port /dev/parport0 when it can
                                       be used (on Windows inpout32 when its
                                       driver is loaded), else the simulated
                                       port
                      sim              the simulated port (nothing leaves the PC)
                      ppdev[:DEVICE]   Linux ppdev, default /dev/parport0; claimed
                                       for this program alone, or shared when
                                       another driver (lp) is registered on it
                      io[:BASE]        direct port I/O at BASE in hex, with or
                                       without 0x: 378 by default, or a PCI
                                       card's (io:E800); needs root; opening
                                       checks that the data register reads back
                                       and refuses a base where none answers
                      inpout32         the port driver DLL (Windows)
                      ftdi[:VID:PID[:INDEX]][@RATE]
                                       an FTDI USB adapter (FT232R, FT232H) in
                                       bit-bang mode, pins D0 to D7; the first
                                       0403:6001 or 0403:6014 by default; RATE
                                       is the bit-bang rate, 300 to 200000
                                       (default 62500: an FT232R makes 16 x
                                       RATE writes a second, a 500 kHz clock),
                                       e.g. ftdi@9600; every wait begins once
                                       the adapter's pins have caught up
                      gpio:CHIP:L0,L1,L2,L3,L4
                                       five Linux GPIO lines as D0 to D4, e.g.
                                       gpio:gpiochip0:17,27,22,23,24
                    ftdi and gpio have no control register; auto never picks them
  --folder DIR      the program folder with the event files and the picture
                    series; without it $QUORVANE_FOLDER, else this program's
                    own folder when it holds 0.evnt and is writable (a
                    portable layout), else the user's data folder, filled on
                    first use from the installed data folder (see below)
  --trace FILE      record every port write as it happens; FILE.csv lists each
                    write (index,time_us,address,value), FILE.vcd is a value
                    change dump of the lines SCLK, SDA, DC, CS and RESET that
                    PulseView and GTKWave open
  --virtual-time    waits advance the trace's clock instead of sleeping, so a
                    script runs at once
  --threshold N     the threshold slider's position for pictures, 0 to 32767
                    (default 8389): a pixel is 1 when red + 256 x green +
                    65536 x blue is at least N x 1000
  --panel-png FILE  after all actions, save what the emulated module shows as
                    an 84 x 48 PNG: black (0, 0, 0) for a fully dark dot,
                    white for a clear one, grey between: each dot darkens by
                    the rms voltage the drive puts across it (VLCD and bias)
  --panel-scale N   enlarge the PNG N times, 1 to 32 (default 1)
  --panel-mounting DEG
                    the module as mounted: 180 (default; a sent picture stands
                    upright) or 0 degrees
  --panel-glass-threshold V
                    the glass threshold in volts rms, 0.50 to 3.00 (default
                    1.20): a dot starts to darken there and is fully dark at
                    1.1 times it
  --panel-state     after all actions, print the emulated module's state as
                    key=value lines, then its decoded log (each byte it took
                    as a command or data, each partial byte it dropped)
  --help            this text

Option numbers are read as the numbers of a list are, an exponent included
(--panel-glass-threshold 1.2e0); N and the --threshold position are whole
numbers (--panel-scale 2.5 is refused).

The emulated module is a PCD8544-class controller that reads the data-register
writes of this run from the lines, as the module would; with a hardware port
it shows what the module there should show. It powers on as the port opens,
with its registers undefined until a RESET low pulse (--reset) and its RAM
holding arbitrary content; the power switch (--power-off, --power-on) turns its
supply off and on.

Environment: QUORVANE_PORT (the default of --port), QUORVANE_FOLDER (the
program folder), XDG_DATA_HOME and HOME (where the user's data folder is).

What the program did goes to standard output; what the engine reports (steps
skipped, negative delays, missing events) goes to standard error.
Exit status: 0 when everything ran, 1 when something was reported or the port
could not be opened, 2 for a usage error or a refused list, 128 + the signal's
number when a signal stopped the run (130 SIGINT, 143 SIGTERM, 129 SIGHUP, 131
SIGQUIT).

SIGINT (Ctrl+C), SIGTERM, SIGHUP and SIGQUIT stop the run at the next byte
boundary, never inside a byte: a list or a picture (one run of its event per
byte) stops between two bytes, also in a "#" wait; any other action (an event,
the start-up and power sequences) runs to its end, its waits included, and the
actions after it do not begin. What the port holds is sent, and the output says
how far the run got. The lines then keep their levels; the shut-down writes
follow only when --shutdown is among the actions.
)";
}

}  // namespace quorvane::cli
