#include "cli/SendCommand.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/ActionRunner.h"
#include "cli/CountingPort.h"
#include "cli/PanelOutput.h"
#include "cli/SendOptions.h"
#include "cli/SendStop.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "events/TextFields.h"
#include "global/CountText.h"
#include "global/Diagnostics.h"
#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "platform/Clock.h"
#include "platform/ProgramFolderChoice.h"
#include "platform/StopSignal.h"
#include "platform/UserFolder.h"
#include "platform/ports/FlushingSleeper.h"
#include "platform/ports/PortFactory.h"
#include "platform/traces/Trace.h"
#include "platform/traces/TraceFactory.h"
#include "port/FailureReport.h"

namespace quorvane::cli {
namespace {

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
  platform::Sleeper& betweenBytes =
      options.virtualTime ? static_cast<platform::Sleeper&>(virtualSleeper) : *environment.sleeper;
  platform::Sleeper& withinByte = options.virtualTime || environment.wholeSleeper == nullptr
                                      ? betweenBytes
                                      : *environment.wholeSleeper;

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
  // A stop ends the run only between two bytes (SendStop.h).
  StopPoints stops;
  CountingPort counter(*target, stops);
  StopPointSleeper stopPointSleeper(stops, counter.writes, betweenBytes, withinByte);
  // A buffering port sends what it holds before every wait.
  // Only the waits that happen are counted: one whose flush failed does not.
  CountingSleeper sleeper(stopPointSleeper);
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
  // A stop runs the shut-down writes only when the script asked for them.
  const bool shutdownAsked =
      std::any_of(options.actions.begin(), options.actions.end(),
                  [](const SendAction& action) { return action.kind == ActionKind::Shutdown; });
  for (const SendAction& action : options.actions) {
    const auto writesBefore = engine.output.Writes();
    const auto waitedBefore = sleeper.waitedMilliseconds;
    stops.BeginAction(counter.writes, runner.WritesPerByte(action));
    try {
      platform::ThrowIfStopRequested();
      runner.Run(action);
    } catch (const platform::StopRequest&) {
      PrintReports(diagnostics, err, reported);
      const StoppedAction stopped = {ActionName(action),
                                     runner.StopProgress(action, stops, counter.writes),
                                     stops.ActionWrites(counter.writes),
                                     sleeper.waitedMilliseconds - waitedBefore, shutdownAsked};
      const int status = EndStoppedRun(stopped, counter, engine.output, out, err);
      if (options.WantsPanel()) WritePanelOutputs(panelModule, options, out, err);
      return status;
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
  // A stop that came while the last action had to run to its end: all was
  // sent, and the status still says that a signal ended the program.
  if (platform::StopRequested()) {
    err << "quorvane-send: stopped by " << platform::StopSignalName()
        << " as the last action ran; it ran to its end\n";
    return platform::StopExitStatus();
  }
  return reported ? 1 : 0;
}

}  // namespace quorvane::cli
