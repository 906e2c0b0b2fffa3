// quorvane: the desktop program.

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <cstdlib>
#include <iostream>

#include "app/DesktopOptions.h"
#include "app/DesktopPlatform.h"
#include "app/DesktopPort.h"
#include "app/ModuleScreenshot.h"
#include "module/frmModule.h"
#include "platform/StopAwareSleeper.h"
#include "platform/StopSignal.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/Desktop.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/desktop/Shell.h"
#include "platform/files/CommandLine.h"
#include "platform/folders/FolderHelp.h"
#include "platform/folders/ProgramFolderChoice.h"
#include "platform/folders/UserFolder.h"
#include "platform/ports/PortFactory.h"
#include "session/PortStack.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/frmELCD.h"
#include "ui/port/PortChooser.h"
#include "ui/port/PortSettings.h"

using namespace quorvane;

int main(int argc, char** argv) {
  const app::DesktopOptions options =
      app::ParseDesktopOptions(platform::CommandLineArguments(argc, argv));
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
  if (!app::HasDisplay()) {
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
  QSettings settings("Quorvane", "quorvane");
  platform::QtMessageBoxes messages;
  ui::DialogPortChooser chooser(systems);
  const bool screenshotRun = options.screenshot || options.moduleScreenshot;
  // Every wait ends early when a stop is asked for, inside a byte as well:
  // the window closes at once.
  platform::StopAwareSleeper stopAwareSleeper;
  app::DesktopPort port = app::OpenDesktopPort(
      {platform::ChoosePortText(options.port, std::getenv("QUORVANE_PORT"),
                                ui::RememberedPort(settings).value_or("auto")),
       options.trace, !screenshotRun},
      systems, {stopAwareSleeper, stopAwareSleeper}, messages, chooser, std::cerr);
  if (!port.stack) return port.status;
  if (port.chosen) ui::RememberPort(settings, port.portText);
  const std::string portText = port.portText;
  session::PortStack& stack = *port.stack;
  const bool simulated = stack.Simulated();
  const std::string notice = stack.Notice();

  const std::unique_ptr<platform::Shell> shell = platform::PlatformShell();
  const std::unique_ptr<platform::CommonDialogs> dialogs = platform::PlatformCommonDialogs();
  const platform::PreparedFolder programFolder = platform::PrepareProgramFolder(folderChoice);
  ui::frmELCD window(
      {stack, messages, *shell, *dialogs, programFolder.folder, &chooser, &settings});
  // The module window catches up before every wait.
  stack.SetWaitHook([&window] {
    if (module::frmModule* moduleWindow = window.ModuleWindow()) moduleWindow->CatchUp();
  });
  window.Form_Load();
  if (window.IsShutDown()) return platform::StopExitStatus();  // stopped during start-up
  window.show();

  app::CloseOnStopRequest(window);

  // A notice goes to standard error, and into a box once the window shows
  // unless the run only takes a screenshot.
  const auto tell = [&](const std::string& text, platform::MessageBoxes::Icon icon, bool box) {
    std::cerr << "quorvane: " << text << '\n';
    if (!box || screenshotRun) return;
    QTimer::singleShot(0, &window, [&messages, &window, text, icon] {
      messages.MsgBox(&window, QString::fromStdString(text), icon, "Quorvane");
    });
  };
  if (!notice.empty()) {
    // The simulated port's notice is a box once per machine and port choice,
    // with a button that chooses another port; the module window and the
    // power box's tooltip name the port from then on.
    if (!simulated) {
      tell(notice, platform::MessageBoxes::Icon::Information, true);
    } else {
      std::cerr << "quorvane: " << notice << '\n';
      if (!screenshotRun && ui::TakeSimulatedPortNotice(settings, portText, notice)) {
        QTimer::singleShot(0, &window, [&messages, &window, notice] {
          const int answer = messages.AskChoice(&window, QString::fromStdString(notice),
                                                platform::MessageBoxes::Icon::Information,
                                                "Quorvane", {"OK", "Choose port..."}, 0);
          if (answer == 1) window.ChoosePort();
        });
      }
    }
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
