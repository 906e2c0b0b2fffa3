// quorvane: the desktop program.

#include <QApplication>
#include <QSettings>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

#include "app/DesktopOptions.h"
#include "app/ModuleScreenshot.h"
#include "module/CatchUpSleeper.h"
#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/QtCommonDialogs.h"
#include "platform/Shell.h"
#include "platform/StopAwareSleeper.h"
#include "platform/StopSignal.h"
#include "platform/UserFolder.h"
#include "platform/ports/FlushingSleeper.h"
#include "platform/ports/PortFactory.h"
#include "platform/ports/ReopenablePort.h"
#include "platform/traces/Trace.h"
#include "platform/traces/TraceFactory.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/SimulatedPortNotice.h"
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
  const platform::FolderChoice folderChoice =
      platform::ChooseProgramFolder(options.folder, platform::ProcessFolderPlaces());
  if (options.help) {
    std::cout << app::DesktopUsage() << platform::FolderHelp(folderChoice);
    return 0;
  }
  if (!HasDisplay()) {
    if (!options.screenshot && !options.moduleScreenshot) {
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
  const std::string portText = platform::ChoosePortText(options.port, std::getenv("QUORVANE_PORT"));
  platform::OpenedPort opened = platform::OpenPort(portText, systems);
  if (!opened.port) {
    std::cerr << "quorvane: " << opened.error << '\n';
    return opened.usageError ? 2 : 1;
  }
  const bool simulated = opened.sim != nullptr;
  const std::string notice = opened.notice;
  const std::string portName = simulated ? "simulated port" : opened.name;
  // After a failure the next action opens the same port again by its name.
  platform::ReopenablePort reopenable(std::move(opened), systems);
  platform::SteadyClock clock;  // trace time counts from the moment the port was opened
  platform::Port* port = &reopenable;
  platform::OpenedTrace trace;
  std::unique_ptr<platform::TracingPort> tracingPort;
  if (options.trace) {
    trace = platform::OpenTraceWriter(*options.trace);
    if (!trace.sink) {
      std::cerr << "quorvane: " << trace.error << '\n';
      return trace.usageError ? 2 : 1;
    }
    tracingPort = std::make_unique<platform::TracingPort>(*port, clock, *trace.sink);
    port = tracingPort.get();
  }

  // With the simulated port the emulated module hangs on the lines, and its
  // window catches up before every wait.
  module::Pcd8544 panelModule;
  std::optional<module::ModuleFeed> moduleFeed;
  if (simulated) port = &moduleFeed.emplace(*port, panelModule);
  if (options.moduleScreenshot && !simulated) {
    std::cerr << "quorvane: --module-screenshot needs the simulated port (--port sim)\n";
    return 2;
  }

  platform::StopAwareSleeper stopAwareSleeper;
  // A buffering port sends what it holds before every wait.
  platform::FlushingSleeper flushingSleeper(*port, stopAwareSleeper);
  module::CatchUpSleeper sleeper(flushingSleeper);
  platform::QtMessageBoxes messages;
  platform::QtShell shell;
  platform::QtCommonDialogs dialogs;
  const platform::PreparedFolder programFolder = platform::PrepareProgramFolder(folderChoice);
  ui::DesktopServices services{*port, sleeper, messages, shell, dialogs, programFolder.folder};
  if (simulated) services.module = &panelModule;
  services.portName = portName;
  services.reopenPort = [&reopenable] { return reopenable.Reopen(); };
  services.trace = tracingPort.get();
  ui::frmELCD window(services);
  sleeper.SetHook([&window] {
    if (module::frmModule* moduleWindow = window.ModuleWindow()) moduleWindow->CatchUp();
  });
  window.Form_Load();
  if (window.IsShutDown()) return platform::StopExitStatus();  // stopped during start-up
  window.show();

#ifndef _WIN32
  QSocketNotifier stopNotifier(platform::StopDescriptor(), QSocketNotifier::Read);
  QObject::connect(&stopNotifier, &QSocketNotifier::activated, &window, &QWidget::close);
#else
  // Windows has no descriptor to watch: the request is looked at ten times a
  // second while the window waits for input.
  QTimer stopPoll;
  QObject::connect(&stopPoll, &QTimer::timeout, &window, [&window] {
    if (platform::StopRequested()) window.close();
  });
  stopPoll.start(100);
#endif

  // A notice goes to standard error, and into a box once the window shows
  // unless the run only takes a screenshot.
  const bool screenshotRun = options.screenshot || options.moduleScreenshot;
  const auto tell = [&](const std::string& text, platform::MessageBoxes::Icon icon, bool box) {
    std::cerr << "quorvane: " << text << '\n';
    if (!box || screenshotRun) return;
    QTimer::singleShot(0, &window, [&messages, &window, text, icon] {
      messages.MsgBox(&window, QString::fromStdString(text), icon, "Quorvane");
    });
  };
  if (!notice.empty()) {
    // The simulated port's notice is a box once per machine and port choice;
    // the module window and the power box's tooltip name the port from then on.
    QSettings settings("Quorvane", "quorvane");
    tell(notice, platform::MessageBoxes::Icon::Information,
         !screenshotRun && (!simulated || ui::TakeSimulatedPortNotice(settings, portText, notice)));
  }
  // A user folder that could not be made ready is said once, naming it.
  if (!programFolder.notice.empty()) {
    tell(programFolder.notice, platform::MessageBoxes::Icon::Warning, true);
  }
  bool screenshotFailed = false;
  if (options.screenshot) {
    QTimer::singleShot(0, &window, [&] {
      window.cmdSendCommand_Click();
      screenshotFailed = !window.grab().save(QString::fromStdString(*options.screenshot));
      if (screenshotFailed) std::cerr << "quorvane: cannot write " << *options.screenshot << '\n';
      window.close();
    });
  }
  if (options.moduleScreenshot) {
    QTimer::singleShot(0, &window, [&] {
      const QString problem =
          app::SaveModuleScreenshot(window, QString::fromStdString(*options.moduleScreenshot));
      if (!problem.isEmpty()) std::cerr << "quorvane: " << problem.toStdString() << '\n';
      screenshotFailed = !problem.isEmpty();
      window.close();
    });
  }
  const int status = application.exec();
  // Ended by a stop signal: after the shut-down writes, the status a shell
  // gives a program the signal ended.
  if (platform::StopRequested()) return platform::StopExitStatus();
  return screenshotFailed ? 1 : status;
}
