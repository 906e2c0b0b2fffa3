#include "cli/SendCommand.h"

#include <memory>
#include <optional>
#include <ostream>

#include "cli/CountingPort.h"
#include "cli/PanelOutput.h"
#include "cli/SendOptions.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "events/EventFile.h"
#include "events/TextFields.h"
#include "events/ValueList.h"
#include "events/WriteCount.h"
#include "global/CountText.h"
#include "global/Diagnostics.h"
#include "image/PictureFile.h"
#include "image/PictureScan.h"
#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "platform/Clock.h"
#include "platform/FlushingSleeper.h"
#include "platform/PortFactory.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/RegularFile.h"
#include "platform/StopSignal.h"
#include "platform/Trace.h"
#include "platform/TraceFactory.h"
#include "platform/UserFolder.h"
#include "port/FailureReport.h"
#include "port/PowerSequences.h"

namespace quorvane::cli {
namespace {

// The standard event an action runs through, if any.
const char* StandardEventOf(ActionKind kind) {
  switch (kind) {
    case ActionKind::Reset:
      return "0.evnt";
    case ActionKind::Command:
    case ActionKind::Init:
      return "1.evnt";
    case ActionKind::Data:
      return "2.evnt";
    default:
      return nullptr;
  }
}

// ": it is a named pipe, not an event file" when something other than a
// regular file has the event file's name; empty otherwise.
std::string NotAnEventFile(const std::string& path) {
  const platform::OpenedFile opened = platform::OpenRegularFile(path);
  return opened.notAFile ? ": " + opened.problem + ", not an event file" : std::string();
}

std::size_t ByteCount(const std::string& list) {
  std::size_t bytes = 0;
  for (const auto& item : events::ParseValueList(list).items) bytes += item.isDelay ? 0 : 1;
  return bytes;
}

class ActionRunner {
 public:
  ActionRunner(events::Engine& engine, global::Diagnostics& diagnostics,
               const std::vector<std::string>& unreadable, int threshold)
      : engine_(engine),
        diagnostics_(diagnostics),
        unreadable_(unreadable),
        ImageThreshold_(threshold * 1000),
        surface_(image::kSurfaceWidth, image::kSurfaceHeight, QImage::Format_RGB32) {
    surface_.fill(Qt::white);
  }

  void Run(const SendAction& action) {
    if (const char* standard = StandardEventOf(action.kind); standard && IsUnreadable(standard)) {
      const std::string& folder = engine_.global.ProgramFolder;
      const std::string reason = NotAnEventFile(folder + standard);
      diagnostics_.Report("the standard event " + std::string(standard) +
                          " could not be read from " + folder + reason +
                          (reason.empty() ? ": " : "; ") + "its bytes are not sent");
    }
    global::Global& global = engine_.global;
    port::OutputPort& output = engine_.output;
    switch (action.kind) {
      case ActionKind::Startup:
        port::StartupRaiseReset(global, output, engine_.sleeper);
        break;
      case ActionKind::Reset:
        engine_.interpreter.ExecuteEvent(global.ResetEventSteps, 0, false);
        break;
      case ActionKind::Command:
      case ActionKind::Init:
        engine_.writer.MultiDataWrite(action.argument, true);
        break;
      case ActionKind::Data:
        engine_.writer.MultiDataWrite(action.argument, false);
        break;
      case ActionKind::Event:
        RunNamedEvent(action.argument);
        break;
      case ActionKind::PowerOn:
        port::PowerOn(global, output, engine_.sleeper);
        break;
      case ActionKind::PowerOff:
        port::PowerOff(global, output);
        break;
      case ActionKind::Zero:
        port::DoZero(global, output);
        break;
      case ActionKind::Shutdown:
        port::ShutdownWrites(output);
        break;
      case ActionKind::Image:
        SendPictureFile(action.argument);
        break;
      case ActionKind::Series:
        SendSeries();
        break;
    }
    engine_.output.Port().Flush();
  }

  // The port writes the action makes when nothing fails; none for the series,
  // whose length is known only at its end.
  std::optional<std::uint64_t> PlannedWrites(const SendAction& action) const {
    const global::Global& global = engine_.global;
    switch (action.kind) {
      case ActionKind::Startup:
        return port::kStartupWrites;
      case ActionKind::Reset:
        return events::WritesPerRun(global.ResetEventSteps);
      case ActionKind::Command:
      case ActionKind::Init:
        return events::WritesOfValueList(global, action.argument, true);
      case ActionKind::Data:
        return events::WritesOfValueList(global, action.argument, false);
      case ActionKind::Event:
        return events::WritesPerRun(global.SelectedEventSteps);
      case ActionKind::PowerOn:
        return port::kPowerOnWrites;
      case ActionKind::PowerOff:
        return port::kPowerOffWrites;
      case ActionKind::Zero:
        return port::kDoZeroWrites;
      case ActionKind::Shutdown:
        return port::kShutdownWrites;
      case ActionKind::Image:
        return image::ScanByteCount(image::ImagePixels(surface_)) *
               events::WritesPerRun(global.DataEventSteps);
      case ActionKind::Series:
        break;
    }
    return std::nullopt;
  }

 private:
  bool IsUnreadable(const std::string& fileName) const {
    for (const auto& name : unreadable_) {
      if (name == fileName) return true;
    }
    return false;
  }

  void RunNamedEvent(const std::string& name) {
    const std::string path = engine_.global.ProgramFolder + name + events::kEventExtension;
    if (!events::ReadEventSteps(path, engine_.global.SelectedEventSteps)) {
      diagnostics_.Report("the event '" + name + "' could not be read from " + path +
                          NotAnEventFile(path));
      return;
    }
    engine_.interpreter.ExecuteEvent(engine_.global.SelectedEventSteps, 0, false);
  }

  // Draws the picture onto the surface, as the image window holds it.
  bool DrawPicture(const std::string& path, bool report) {
    const image::LoadedPicture loaded = image::LoadPicture(QString::fromStdString(path));
    if (loaded.picture.isNull()) {
      if (report) {
        diagnostics_.Report("the picture " + path +
                            " cannot be loaded: " + loaded.error.toStdString());
      }
      return false;
    }
    image::DrawStretched(surface_, loaded.picture);
    return true;
  }

  void SendPictureFile(const std::string& path) {
    if (!DrawPicture(path, true)) return;
    image::SendPicture(image::ImagePixels(surface_), ImageThreshold_, engine_.writer);
  }

  // images/lcd_0.bmp, lcd_1.bmp, ... up to the first that cannot be loaded.
  void SendSeries() {
    seriesFrames = 0;
    for (int n = 0; n <= 32767; ++n) {
      const std::string path =
          engine_.global.ProgramFolder + "images/lcd_" + std::to_string(n) + ".bmp";
      if (!DrawPicture(path, false)) break;
      image::SendPicture(image::ImagePixels(surface_), ImageThreshold_, engine_.writer);
      if (engine_.output.Failed()) break;  // the frame did not go out whole
      ++seriesFrames;
    }
  }

 public:
  int seriesFrames = 0;

 private:
  events::Engine& engine_;
  global::Diagnostics& diagnostics_;
  const std::vector<std::string>& unreadable_;
  const std::int32_t ImageThreshold_;
  QImage surface_;
};

// Without the places of an installed program the executable's folder is the
// program folder, as in a portable layout.
platform::FolderChoice ChooseFolder(const SendOptions& options,
                                    const SendEnvironment& environment) {
  if (environment.folderPlaces != nullptr) {
    return platform::ChooseProgramFolder(options.folder, *environment.folderPlaces);
  }
  return {options.folder ? platform::FolderLayout::FolderOption : platform::FolderLayout::Portable,
          options.folder.value_or(environment.executableFolder),
          {}};
}

void PrintReports(global::Diagnostics& diagnostics, std::ostream& err, bool& reported) {
  for (const std::string& message : diagnostics.Take()) {
    err << "quorvane-send: " << message << '\n';
    reported = true;
  }
}

// A stop signal ends the run where it is, and the shut-down writes leave
// every line low and the control register 0, as when the desktop program
// ends. The status is the one a shell gives a program the signal ended.
int StopRun(const SendAction& action, CountingPort& counter, port::OutputPort& output,
            std::ostream& out, std::ostream& err) {
  counter.checkStops = false;
  port::ShutdownWrites(output);
  output.Port().Flush();
  out << ActionName(action) << ": stopped\n";
  err << "quorvane-send: stopped by " << platform::StopSignalName() << " during "
      << ActionName(action) << "; all lines low, control register 0\n";
  return platform::StopExitStatus();
}

}  // namespace

int RunSend(const std::vector<std::string>& args, const SendEnvironment& environment,
            std::ostream& out, std::ostream& err) {
  const ParsedSendOptions parsed = ParseSendOptions(args);
  if (!parsed.error.empty()) {
    err << "quorvane-send: " << parsed.error << "\nTry 'quorvane-send --help'.\n";
    return 2;
  }
  const SendOptions& options = parsed.options;
  if (options.help) {
    out << SendUsage() << platform::FolderHelp(ChooseFolder(options, environment));
    return 0;
  }
  if (options.trace) {
    if (const std::string error = platform::TraceNameError(*options.trace); !error.empty()) {
      err << "quorvane-send: " << error << '\n';
      return 2;
    }
  }

  const std::string portText = platform::ChoosePortText(options.port, environment.portVariable);
  platform::OpenedPort opened = platform::OpenPort(portText, *environment.systems);
  if (opened.usageError) {
    err << "quorvane-send: " << opened.error << '\n';
    return 2;
  }
  if (!opened.port) {
    err << "quorvane-send: " << opened.error << '\n';
    return 1;
  }
  if (!opened.notice.empty()) err << "quorvane-send: " << opened.notice << '\n';

  // Trace time counts from the moment the port was opened.
  platform::VirtualClock virtualClock;
  platform::SteadyClock steadyClock;
  platform::VirtualSleeper virtualSleeper(virtualClock);
  const platform::Clock& clock =
      options.virtualTime ? static_cast<const platform::Clock&>(virtualClock) : steadyClock;
  platform::Sleeper& baseSleeper =
      options.virtualTime ? static_cast<platform::Sleeper&>(virtualSleeper) : *environment.sleeper;

  platform::Port* target = opened.port.get();
  platform::OpenedTrace trace;
  std::unique_ptr<platform::TracingPort> tracingPort;
  if (options.trace) {
    trace = platform::OpenTraceWriter(*options.trace);
    if (!trace.sink) {
      err << "quorvane-send: " << trace.error << '\n';
      return trace.usageError ? 2 : 1;
    }
    tracingPort = std::make_unique<platform::TracingPort>(*target, clock, *trace.sink);
    target = tracingPort.get();
  }
  // The emulated module reads the data-register writes of this run, whatever
  // the port.
  module::Pcd8544 panelModule;
  std::optional<module::ModuleFeed> moduleFeed;
  if (options.WantsPanel()) target = &moduleFeed.emplace(*target, panelModule);
  CountingPort counter(*target);
  // A buffering port sends what it holds before every wait.
  // Only the waits that happen are counted: one whose flush failed does not.
  CountingSleeper sleeper(baseSleeper);
  platform::FlushingSleeper flushingSleeper(counter, sleeper);
  global::Diagnostics diagnostics;
  events::Engine engine(counter, flushingSleeper, diagnostics);
  const platform::PreparedFolder folder =
      platform::PrepareProgramFolder(ChooseFolder(options, environment));
  if (!folder.notice.empty()) err << "quorvane-send: " << folder.notice << '\n';
  engine.global.ProgramFolder = events::AddBackslash(folder.folder);
  const events::InitEventsResult loaded = events::InitEvents(engine.global);

  out << "port: " << portText << (opened.sim ? " (simulated)" : "") << "; program folder "
      << engine.global.ProgramFolder << '\n';
  bool reported = false;
  bool traceStopReported = false;
  ActionRunner runner(engine, diagnostics, loaded.unreadable, options.threshold);
  for (const SendAction& action : options.actions) {
    const auto writesBefore = engine.output.Writes();
    const auto waitedBefore = sleeper.waitedMilliseconds;
    try {
      runner.Run(action);
    } catch (const platform::StopRequest&) {
      PrintReports(diagnostics, err, reported);
      return StopRun(action, counter, engine.output, out, err);
    }
    const std::uint64_t wentOut = port::WritesThatWentOut(engine.output, writesBefore);
    out << ActionName(action) << ": ";
    if (action.kind == ActionKind::Command || action.kind == ActionKind::Data ||
        action.kind == ActionKind::Init) {
      out << global::CountText(ByteCount(action.argument), "byte", "bytes") << ", ";
    }
    if (action.kind == ActionKind::Series) {
      out << global::CountText(runner.seriesFrames, "picture", "pictures") << ", ";
    }
    out << global::CountText(wentOut, "port write", "port writes") << ", waited "
        << sleeper.waitedMilliseconds - waitedBefore << " ms\n";
    PrintReports(diagnostics, err, reported);
    // A trace that cannot be written is said once; the writes go on.
    if (const auto stop = tracingPort ? tracingPort->Stopped() : std::nullopt;
        stop && !traceStopReported) {
      err << "quorvane-send: " << port::TraceStoppedSentence(*stop) << '\n';
      traceStopReported = reported = true;
    }
    // A failed port stops the run: the actions after this one are not run.
    if (counter.Failed()) {
      err << "quorvane-send: "
          << port::PortFailedSentence(opened.name, ActionName(action), wentOut,
                                      runner.PlannedWrites(action), counter.Failure().reason)
          << '\n';
      out << "stopped: "
          << global::CountText(port::WritesThatWentOut(engine.output, 0), "port write",
                               "port writes")
          << " went out, then the port failed\n";
      if (options.WantsPanel()) WritePanelOutputs(panelModule, options, out, err);
      return 1;
    }
  }
  out << "done: " << global::CountText(counter.writes, "port write", "port writes");
  if (options.trace) out << ", trace in " << *options.trace;
  if (traceStopReported) out << " (stopped at write " << tracingPort->Stopped()->write << ")";
  out << '\n';
  if (options.WantsPanel() && !WritePanelOutputs(panelModule, options, out, err)) reported = true;
  return reported ? 1 : 0;
}

}  // namespace quorvane::cli
