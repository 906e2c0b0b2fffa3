#include "cli/SendCommand.h"

#include <algorithm>
#include <ostream>

#include "cli/PanelReport.h"
#include "cli/SendOptions.h"
#include "cli/SendStop.h"
#include "global/CountText.h"
#include "image/PictureCanvas.h"
#include "image/Threshold.h"
#include "module/Pcd8544.h"
#include "platform/StopSignal.h"
#include "platform/folders/FolderHelp.h"
#include "platform/folders/ProgramFolderChoice.h"
#include "platform/folders/UserFolder.h"
#include "platform/ports/PortFactory.h"
#include "platform/traces/TraceFactory.h"
#include "platform/traces/TracingPort.h"
#include "port/FailureReport.h"
#include "session/PortStack.h"
#include "session/Session.h"

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

void Print(const std::string& message, std::ostream& err, bool& reported) {
  err << "quorvane-send: " << message << '\n';
  reported = true;
}

// What the engine reported; a series that ended at a frame says which first.
void PrintReports(const session::ActionOutcome& outcome, std::ostream& err, bool& reported) {
  if (outcome.seriesStoppedAt) {
    Print(session::SeriesStoppedSentence(*outcome.seriesStoppedAt), err, reported);
  }
  for (const std::string& message : outcome.reports) Print(message, err, reported);
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
  // Real waits, unless virtual time replaces them: between two bytes a stop
  // ends them early; inside a byte or a sequence they last their time.
  const session::RealWaits waits{*environment.sleeper, environment.wholeSleeper != nullptr
                                                           ? *environment.wholeSleeper
                                                           : *environment.sleeper};
  session::PortStack::Opening opening = session::PortStack::Open(
      portText, *environment.systems, waits,
      {options.trace, options.virtualTime,
       options.WantsPanel() ? session::ModuleOnLines::Always : session::ModuleOnLines::No});
  if (!opening.notice.empty()) err << "quorvane-send: " << opening.notice << '\n';
  if (!opening.stack) {
    err << "quorvane-send: " << opening.error << '\n';
    return opening.usageError ? 2 : 1;
  }
  session::PortStack& stack = *opening.stack;
  session::Session session(stack);
  image::PictureCanvas canvas(Qt::white);
  session.SetPictureSurface(&canvas);
  session.SetImageThreshold(image::ThresholdOfPosition(options.threshold));
  const platform::PreparedFolder folder =
      platform::PrepareProgramFolder(ChooseFolder(options, environment));
  if (!folder.notice.empty()) err << "quorvane-send: " << folder.notice << '\n';
  session.LoadEvents(folder.folder);

  out << "port: " << portText << (stack.Simulated() ? " (simulated)" : "") << "; program folder "
      << session.Engine().global.ProgramFolder << '\n';
  bool reported = false;
  // A stop runs the shut-down writes only when the script asked for them.
  const bool shutdownAsked =
      std::any_of(options.actions.begin(), options.actions.end(),
                  [](const SendAction& action) { return action.kind == ActionKind::Shutdown; });
  for (const SendAction& action : options.actions) {
    const session::ActionOutcome outcome = session.Run(action);
    const std::string name = session::ActionName(action);
    if (!outcome.missingEvent.empty()) Print(outcome.missingEvent, err, reported);
    if (outcome.stopped) {
      PrintReports(outcome, err, reported);
      const int status = EndStoppedRun(
          {name, outcome.stopProgress, outcome.writes, outcome.waitedMs, shutdownAsked}, session,
          out, err);
      if (options.WantsPanel()) WritePanelReport(*stack.Module(), options, out, err);
      return status;
    }
    out << name << ": ";
    if (session::IsValueList(action.kind)) {
      out << global::CountText(session::ByteCount(action.argument), "byte", "bytes") << ", ";
    }
    if (action.kind == ActionKind::Series) {
      out << global::CountText(outcome.pictures, "picture", "pictures") << ", ";
    }
    out << global::CountText(outcome.wentOut, "port write", "port writes") << ", waited "
        << outcome.waitedMs << " ms\n";
    PrintReports(outcome, err, reported);
    // A trace that cannot be written is said once; the writes go on.
    if (outcome.traceStopped) Print(*outcome.traceStopped, err, reported);
    // A failed port stops the run: the actions after this one are not run.
    if (outcome.portFailure) {
      err << "quorvane-send: "
          << port::PortFailedSentence(stack.Name(), name, outcome.wentOut, outcome.planned,
                                      outcome.portFailure->reason)
          << '\n';
      out << "stopped: "
          << global::CountText(session.WritesThatWentOut(), "port write", "port writes")
          << " went out, then the port failed\n";
      if (options.WantsPanel()) WritePanelReport(*stack.Module(), options, out, err);
      return 1;
    }
  }
  out << "done: "
      << global::CountText(session.Engine().output.Writes(), "port write", "port writes");
  if (options.trace) out << ", trace in " << *options.trace;
  if (const platform::TracingPort* trace = stack.Trace(); trace && trace->Stopped()) {
    out << " (stopped at write " << trace->Stopped()->write << ")";
  }
  out << '\n';
  if (options.WantsPanel() && !WritePanelReport(*stack.Module(), options, out, err)) {
    reported = true;
  }
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
