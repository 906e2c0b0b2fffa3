#include "session/Session.h"

#include <algorithm>

#include "events/EventCatalogue.h"
#include "events/EventFile.h"
#include "events/TextFields.h"
#include "events/WriteCount.h"
#include "global/CountText.h"
#include "image/PictureScan.h"
#include "image/PictureSurface.h"
#include "platform/files/FolderSeparator.h"
#include "platform/files/RegularFile.h"
#include "platform/StopSignal.h"
#include "platform/traces/TracingPort.h"
#include "port/FailureReport.h"
#include "port/PowerSequences.h"
#include "session/PortStack.h"

namespace quorvane::session {
namespace {

// The series counter is a signed 16-bit number: the series ends before it
// would pass 32767.
constexpr int kLastSeriesFrame = 32767;

// ": it is a named pipe, not an event file" when something other than a
// regular file has the event file's name; empty otherwise.
std::string NotAnEventFile(const std::string& path) {
  const platform::OpenedFile opened = platform::OpenRegularFile(path);
  return opened.notAFile ? ": " + opened.problem + ", not an event file" : std::string();
}

}  // namespace

std::string SeriesStoppedSentence(const std::string& frame) {
  return "The picture series stopped at " + frame + ":";
}

Session::Session(PortStack& stack)
    : stack_(stack), engine_(stack.Top(), stack.Waits(), diagnostics_) {
  engine_.output.SetWriteGate(&stack.Gate());
}

std::vector<events::CatalogueEntry> Session::LoadEvents(const std::string& folder) {
  engine_.global.ProgramFolder = events::AddBackslash(folder);
  return ReloadEvents();
}

std::vector<events::CatalogueEntry> Session::ReloadEvents() {
  events::InitEventsResult loaded = events::InitEvents(engine_.global);
  unreadableEvents_ = std::move(loaded.unreadable);
  return std::move(loaded.catalogue);
}

ActionOutcome Session::Run(const Action& action) {
  ActionOutcome outcome;
  port::OutputPort& output = engine_.output;
  const std::uint64_t writesBefore = output.Writes();
  const std::uint64_t waitedBefore = stack_.WaitedMilliseconds();
  StopGate& gate = stack_.Gate();
  gate.BeginAction(writesBefore, WritesPerByte(action));
  if (const char* standard = StandardEventOf(action.kind);
      standard && StandardEventUnreadable(standard)) {
    const std::string& folder = engine_.global.ProgramFolder;
    const std::string reason = NotAnEventFile(folder + standard);
    outcome.missingEvent = "the standard event " + std::string(standard) +
                           " could not be read from " + folder + reason +
                           (reason.empty() ? ": " : "; ") + "its bytes are not sent";
  }
  if (!output.Failed()) {
    try {
      if (gate.Enabled()) platform::ThrowIfStopRequested();
      Execute(action, outcome);
    } catch (const platform::StopRequest&) {
      outcome.stopped = true;
      outcome.stopProgress = StopProgress(action, outcome.pictures);
    }
    // What the port holds goes out: after a stop the bytes before it are
    // whole, and a buffering adapter's pins show the last of them.
    output.Port().Flush();
  }
  // Known once the action ran: a named event is read as it runs.
  outcome.planned = PlannedWrites(action);
  outcome.writes = output.Writes() - writesBefore;
  outcome.wentOut = port::WritesThatWentOut(output, writesBefore);
  outcome.waitedMs = stack_.WaitedMilliseconds() - waitedBefore;
  if (output.Failed()) outcome.portFailure = output.Port().Failure();
  if (const platform::TracingPort* trace = stack_.Trace(); trace && !traceStopSaid_) {
    if (const auto stop = trace->Stopped()) {
      outcome.traceStopped = port::TraceStoppedSentence(*stop);
      outcome.traceStoppedAt = stop->write;
      traceStopSaid_ = true;
    }
  }
  outcome.reports = diagnostics_.Take();
  return outcome;
}

ActionOutcome Session::RunToEnd(const Action& action) {
  StopGate& gate = stack_.Gate();
  gate.SetEnabled(false);
  ActionOutcome outcome = Run(action);
  gate.SetEnabled(true);
  return outcome;
}

std::string Session::Reopen() {
  if (!engine_.output.Failed()) return {};
  return stack_.Reopen();
}

std::uint64_t Session::WritesThatWentOut() const {
  return port::WritesThatWentOut(engine_.output, 0);
}

void Session::Execute(const Action& action, ActionOutcome& outcome) {
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
    case ActionKind::Data:
      engine_.writer.MultiDataWrite(action.argument, IsCommandList(action.kind));
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
      if (action.argument.empty() || DrawPicture(action.argument, true)) SendSurface();
      break;
    case ActionKind::Series:
      SendSeries(outcome);
      break;
  }
}

void Session::RunNamedEvent(const std::string& name) {
  global::Global& global = engine_.global;
  if (!name.empty()) {
    const std::string path = global.ProgramFolder + name + events::kEventExtension;
    if (!events::ReadEventSteps(path, global.SelectedEventSteps)) {
      diagnostics_.Report("the event '" + name + "' could not be read from " + path +
                          NotAnEventFile(path));
      return;
    }
  }
  engine_.interpreter.ExecuteEvent(global.SelectedEventSteps, 0, false);
}

void Session::SendSurface() {
  if (surface_ != nullptr) image::SendPicture(surface_->Pixels(), imageThreshold_, engine_.writer);
}

bool Session::DrawPicture(const std::string& path, bool report) {
  if (surface_ == nullptr) return false;
  const std::string problem = surface_->DrawPictureFile(path);
  if (problem.empty()) return true;
  if (report) diagnostics_.Report("the picture " + path + " cannot be loaded: " + problem);
  return false;
}

void Session::SendSeries(ActionOutcome& outcome) {
  // The program folder ends in the system's separator; the series' paths
  // keep to it, so the messages name them as the system does.
  const std::string folder = engine_.global.ProgramFolder + "images" + platform::kFolderSeparator;
  for (int n = 0; n <= kLastSeriesFrame; ++n) {
    const std::string path = folder + "lcd_" + std::to_string(n) + ".bmp";
    // Normally the series ends here: the next file is missing.
    if (!DrawPicture(path, false)) break;
    surface_->ShowNow();
    SendSurface();
    if (engine_.output.Failed()) break;  // the frame did not go out whole
    // A frame whose send reported a problem is an error too: the series ends
    // with it.
    if (!diagnostics_.Empty()) {
      outcome.seriesStoppedAt = path;
      break;
    }
    ++outcome.pictures;
  }
}

std::optional<std::uint64_t> Session::PlannedWrites(const Action& action) const {
  const global::Global& global = engine_.global;
  switch (action.kind) {
    case ActionKind::Startup:
      return port::kStartupWrites;
    case ActionKind::Reset:
      return events::WritesPerRun(global.ResetEventSteps);
    case ActionKind::Command:
    case ActionKind::Init:
    case ActionKind::Data:
      return events::WritesOfValueList(global, action.argument, IsCommandList(action.kind));
    case ActionKind::Event:
      // The steps chosen last, or read by the action itself.
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
      return PictureBytes() * events::WritesPerRun(global.DataEventSteps);
    case ActionKind::Series:
      break;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> Session::WritesPerByte(const Action& action) const {
  switch (action.kind) {
    case ActionKind::Command:
    case ActionKind::Init:
      return events::WritesPerRun(engine_.global.CommandEventSteps);
    case ActionKind::Data:
    case ActionKind::Image:
    case ActionKind::Series:
      return events::WritesPerRun(engine_.global.DataEventSteps);
    default:
      return std::nullopt;
  }
}

std::uint64_t Session::PictureBytes() const {
  return surface_ != nullptr ? image::ScanByteCount(surface_->Pixels()) : 0;
}

std::string Session::StopProgress(const Action& action, int pictures) const {
  const std::uint64_t writes = engine_.output.Writes();
  const StopGate& gate = stack_.Gate();
  if (gate.ActionWrites(writes) == 0) return "before its first write";
  const std::uint64_t bytes = gate.BytesSent(writes);
  switch (action.kind) {
    case ActionKind::Command:
    case ActionKind::Data:
    case ActionKind::Init:
      return "after " + std::to_string(bytes) + " of " +
             global::CountText(ByteCount(action.argument), "byte", "bytes");
    case ActionKind::Image:
      return "after " + std::to_string(bytes) + " of " +
             global::CountText(PictureBytes(), "byte", "bytes");
    case ActionKind::Series: {
      const auto frames = static_cast<std::uint64_t>(pictures);
      return "after " + global::CountText(frames, "picture", "pictures") + " and " +
             global::CountText(bytes - frames * PictureBytes(), "byte", "bytes") + " of the next";
    }
    default:
      return "after " + global::CountText(gate.ActionWrites(writes), "port write", "port writes");
  }
}

bool Session::StandardEventUnreadable(const char* fileName) const {
  return std::find(unreadableEvents_.begin(), unreadableEvents_.end(), fileName) !=
         unreadableEvents_.end();
}

}  // namespace quorvane::session
