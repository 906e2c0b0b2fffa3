#include "app/DesktopOptions.h"

#include <QCommandLineParser>
#include <QStringList>

#include "platform/traces/TraceFactory.h"

namespace quorvane::app {
namespace {

struct ValueOption {
  const char* name;
  const char* valueName;
  std::optional<std::string> DesktopOptions::*target;
};

constexpr ValueOption kValueOptions[] = {
    {"port", "PORT", &DesktopOptions::port},
    {"folder", "DIR", &DesktopOptions::folder},
    {"trace", "FILE", &DesktopOptions::trace},
    {"screenshot", "FILE", &DesktopOptions::screenshot},
    {"module-screenshot", "FILE", &DesktopOptions::moduleScreenshot},
};

// The arguments go through the parser as Latin-1, one character per byte, so
// a path comes back with the bytes it was given, whatever their encoding.
QString ToArgument(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromArgument(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// What the parser refused, in the program's own words. The parser gathers
// every problem without saying where it stands, so ever longer runs of the
// arguments are parsed until one holds a problem: its last argument is the
// first one refused. A missing value can only be the very last argument's.
std::string UsageError(QCommandLineParser& parser, const QStringList& arguments,
                       const std::vector<std::string>& args) {
  for (qsizetype count = 2; count <= arguments.size(); ++count) {
    const bool parsed = parser.parse(arguments.first(count));
    const std::string& last = args[static_cast<std::size_t>(count - 2)];
    if (!parser.unknownOptionNames().isEmpty() || !parser.positionalArguments().isEmpty()) {
      return "unknown option '" + last + "'";
    }
    if (const auto equals = last.find('='); !parsed && equals != std::string::npos) {
      return last.substr(0, equals) + " takes no value";
    }
  }
  return args.back() + " needs a value";
}

}  // namespace

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& args) {
  // parse(), unlike process(), needs no application object: this runs before
  // QApplication exists.
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOption(help);
  for (const ValueOption& option : kValueOptions) {
    parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                        QString::fromLatin1(option.valueName)));
  }
  QStringList arguments{QStringLiteral("quorvane")};
  for (const std::string& arg : args) arguments << ToArgument(arg);

  DesktopOptions options;
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
    options.error = UsageError(parser, arguments, args);
    return options;
  }
  options.help = parser.isSet(help);
  for (const ValueOption& option : kValueOptions) {
    const QString name = QString::fromLatin1(option.name);
    if (parser.isSet(name)) options.*option.target = FromArgument(parser.value(name));
  }
  // An empty folder would stand for the root folder.
  if (parser.values(QStringLiteral("folder")).contains(QString())) {
    options.error = "--folder needs a folder, not an empty text";
  } else if (options.trace) {
    options.error = platform::TraceNameError(*options.trace);
  }
  return options;
}

std::string DesktopUsage() {
  return R"(Usage: quorvane [--port PORT] [--folder DIR] [--trace FILE] [--screenshot FILE.png]
                [--module-screenshot FILE.png]

The desktop workbench for display modules on the parallel port.

  --port PORT          where the bytes go (default: $QUORVANE_PORT, else the
                       port chosen last in the program, else auto):
                       auto, sim, ppdev[:DEVICE], io[:BASE], inpout32,
                       ftdi[:VID:PID[:INDEX]][@RATE], gpio:CHIP:L0,L1,L2,L3,L4
                       (BASE in hex: io:378, io:E800; RATE the FTDI bit-bang
                       rate, 300 to 200000, default 62500; see quorvane-send
                       --help)
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
                       start up, run the reset event, send the default init
                       sequence and the picture images/lcd_0.bmp, save a
                       picture of the main, image and module windows and end
  --help               this text

Environment: QUORVANE_PORT (the default of --port), QUORVANE_FOLDER (the
program folder), XDG_DATA_HOME and HOME (where the user's data folder is).
)";
}

}  // namespace quorvane::app
