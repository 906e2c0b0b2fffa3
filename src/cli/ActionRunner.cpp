#include "cli/ActionRunner.h"

#include "cli/SendStop.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "events/EventFile.h"
#include "events/ValueList.h"
#include "events/WriteCount.h"
#include "global/CountText.h"
#include "global/Diagnostics.h"
#include "image/PictureFile.h"
#include "image/PictureScan.h"
#include "platform/RegularFile.h"
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

}  // namespace

std::size_t ByteCount(const std::string& list) {
  std::size_t bytes = 0;
  for (const auto& item : events::ParseValueList(list).items) bytes += item.isDelay ? 0 : 1;
  return bytes;
}

ActionRunner::ActionRunner(events::Engine& engine, global::Diagnostics& diagnostics,
                           const std::vector<std::string>& unreadable, int threshold)
    : engine_(engine),
      diagnostics_(diagnostics),
      unreadable_(unreadable),
      ImageThreshold_(threshold * 1000),
      surface_(image::kSurfaceWidth, image::kSurfaceHeight, QImage::Format_RGB32) {
  surface_.fill(Qt::white);
}

void ActionRunner::Run(const SendAction& action) {
  if (const char* standard = StandardEventOf(action.kind); standard && IsUnreadable(standard)) {
    const std::string& folder = engine_.global.ProgramFolder;
    const std::string reason = NotAnEventFile(folder + standard);
    diagnostics_.Report("the standard event " + std::string(standard) + " could not be read from " +
                        folder + reason + (reason.empty() ? ": " : "; ") +
                        "its bytes are not sent");
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
std::optional<std::uint64_t> ActionRunner::PlannedWrites(const SendAction& action) const {
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
      return PictureBytes() * events::WritesPerRun(global.DataEventSteps);
    case ActionKind::Series:
      break;
  }
  return std::nullopt;
}

// The port writes of one byte of a list or picture (one run of the command
// or data event); none for an action of one piece.
std::optional<std::uint64_t> ActionRunner::WritesPerByte(const SendAction& action) const {
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

bool ActionRunner::IsUnreadable(const std::string& fileName) const {
  for (const auto& name : unreadable_) {
    if (name == fileName) return true;
  }
  return false;
}

void ActionRunner::RunNamedEvent(const std::string& name) {
  const std::string path = engine_.global.ProgramFolder + name + events::kEventExtension;
  if (!events::ReadEventSteps(path, engine_.global.SelectedEventSteps)) {
    diagnostics_.Report("the event '" + name + "' could not be read from " + path +
                        NotAnEventFile(path));
    return;
  }
  engine_.interpreter.ExecuteEvent(engine_.global.SelectedEventSteps, 0, false);
}

// Draws the picture onto the surface, as the image window holds it.
bool ActionRunner::DrawPicture(const std::string& path, bool report) {
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

void ActionRunner::SendPictureFile(const std::string& path) {
  if (!DrawPicture(path, true)) return;
  image::SendPicture(image::ImagePixels(surface_), ImageThreshold_, engine_.writer);
}

// images/lcd_0.bmp, lcd_1.bmp, ... up to the first that cannot be loaded.
void ActionRunner::SendSeries() {
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

std::uint64_t ActionRunner::PictureBytes() const {
  return image::ScanByteCount(image::ImagePixels(surface_));
}

std::string ActionRunner::StopProgress(const SendAction& action, const StopPoints& stops,
                                       std::uint64_t writes) const {
  if (stops.ActionWrites(writes) == 0) return "before its first write";
  const std::uint64_t bytes = stops.BytesSent(writes);
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
      const std::uint64_t frames = static_cast<std::uint64_t>(seriesFrames);
      return "after " + global::CountText(frames, "picture", "pictures") + " and " +
             global::CountText(bytes - frames * PictureBytes(), "byte", "bytes") + " of the next";
    }
    default:
      return "after " + global::CountText(stops.ActionWrites(writes), "port write", "port writes");
  }
}

}  // namespace quorvane::cli
