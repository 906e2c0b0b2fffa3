// quorvane: the desktop program.

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/DesktopOptions.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/PortFactory.h"
#include "platform/ProgramPath.h"
#include "platform/QtCommonDialogs.h"
#include "platform/Shell.h"
#include "platform/StopAwareSleeper.h"
#include "platform/StopSignal.h"
#include "platform/Trace.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/frmELCD.h"

namespace {

using namespace quorvane;

bool HasDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  const app::DesktopOptions options =
      app::ParseDesktopOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::cerr << "quorvane: " << options.error << "\nTry 'quorvane --help'.\n";
    return 2;
  }
  if (options.help) {
    std::cout << app::DesktopUsage();
    return 0;
  }
  if (!HasDisplay()) {
    if (!options.screenshot) {
      std::cerr << "quorvane: no display to open the window on.\n"
                   "Run it on a desktop, or under a virtual display: xvfb-run -a "
                << argv[0] << "\n";
      return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");  // a screenshot needs no screen
  }

  QApplication application(argc, argv);
  ui::ApplyApplicationLook();
  platform::InstallStopSignals();

  const platform::PortSystems systems = platform::RealPortSystems();
  const std::string spec = platform::ChoosePortSpec(options.port, std::getenv("QUORVANE_PORT"));
  platform::OpenedPort opened = platform::OpenPort(spec, systems);
  if (!opened.port) {
    std::cerr << "quorvane: " << opened.error << '\n';
    return opened.usageError ? 2 : 1;
  }
  platform::SteadyClock clock;  // trace time counts from the moment the port was opened
  platform::Port* port = opened.port.get();
  std::unique_ptr<platform::CsvTraceWriter> traceWriter;
  std::unique_ptr<platform::TracingPort> tracingPort;
  if (options.trace) {
    traceWriter = std::make_unique<platform::CsvTraceWriter>(*options.trace);
    if (!traceWriter->Ok()) {
      std::cerr << "quorvane: " << traceWriter->Error() << '\n';
      return 1;
    }
    tracingPort = std::make_unique<platform::TracingPort>(*port, clock, *traceWriter);
    port = tracingPort.get();
  }

  platform::StopAwareSleeper sleeper;
  platform::QtMessageBoxes messages;
  platform::QtShell shell;
  platform::QtCommonDialogs dialogs;
  ui::frmELCD window({*port, sleeper, messages, shell, dialogs, platform::ExecutableFolder()});
  window.Form_Load();
  if (window.IsShutDown()) return 0;  // stopped during start-up
  window.show();

  QSocketNotifier stopNotifier(platform::StopDescriptor(), QSocketNotifier::Read);
  QObject::connect(&stopNotifier, &QSocketNotifier::activated, &window, &QWidget::close);

  if (!opened.notice.empty()) {
    std::cerr << "quorvane: " << opened.notice << '\n';
    if (!options.screenshot) {
      QTimer::singleShot(0, &window, [&] {
        messages.MsgBox(&window, QString::fromStdString(opened.notice),
                        platform::MessageBoxes::Icon::Information, "Quorvane");
      });
    }
  }
  if (options.screenshot) {
    QTimer::singleShot(0, &window, [&] {
      window.cmdSendCommand_Click();
      const bool saved = window.grab().save(QString::fromStdString(*options.screenshot));
      if (!saved) std::cerr << "quorvane: cannot write " << *options.screenshot << '\n';
      window.close();
    });
  }
  return application.exec();
}
