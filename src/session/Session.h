#pragma once
// One session of either program: the engine over the port stack, and every
// action the user asks for, run the same way in both fronts. An action runs to
// its end, to a failed port, or to a stop at a byte boundary; what it did
// comes back as an outcome that the front puts into words.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/Threshold.h"
#include "platform/ports/Port.h"
#include "session/Action.h"

namespace quorvane::image {
class PictureSurface;
}
namespace quorvane::platform {
struct TraceStop;
}

namespace quorvane::session {

class PortStack;

struct ActionOutcome {
  std::uint64_t writes = 0;   // port writes handed to the port
  std::uint64_t wentOut = 0;  // of them, those that went out
  // The port writes the action makes when nothing fails; none for the series,
  // whose length is known only at its end.
  std::optional<std::uint64_t> planned;
  std::uint64_t waitedMs = 0;  // the waits that ran to their end
  int pictures = 0;            // pictures of the series sent whole
  // The frame of the series whose send reported a problem: the series ended
  // there.
  std::optional<std::string> seriesStoppedAt;
  // A stop request ended the action, at a byte boundary or before its first
  // write; how far it got: "after 6 of 7 bytes", "before its first write".
  bool stopped = false;
  std::string stopProgress;
  // The port failed during the action.
  std::optional<platform::PortFailure> portFailure;
  // The trace could not be written from this action on (said once a session).
  std::optional<std::string> traceStopped;
  std::uint64_t traceStoppedAt = 0;  // the first write the trace does not hold
  // A standard event the action needs could not be read when the events were
  // loaded: its bytes are not sent.
  std::string missingEvent;
  // What the engine reported: steps skipped, refused lists, unreadable
  // pictures and events.
  std::vector<std::string> reports;
};

class Session {
 public:
  explicit Session(PortStack& stack);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  events::Engine& Engine() { return engine_; }
  const events::Engine& Engine() const { return engine_; }
  PortStack& Stack() { return stack_; }

  // Where pictures are drawn and read from; needed by the picture actions.
  void SetPictureSurface(image::PictureSurface* surface) { surface_ = surface; }
  std::int32_t ImageThreshold() const { return imageThreshold_; }
  void SetImageThreshold(std::int32_t threshold) { imageThreshold_ = threshold; }

  // Makes `folder` the program folder and reads the three standard events
  // from it; gives the user's events, for the main window's list.
  std::vector<events::CatalogueEntry> LoadEvents(const std::string& folder);
  // Reads them again from the same folder.
  std::vector<events::CatalogueEntry> ReloadEvents();

  // Runs the action and sends what the port holds. Nothing runs on a port
  // that failed before (see Reopen).
  ActionOutcome Run(const Action& action);
  // The same, and a stop request does not end it (the shut-down writes after
  // a stop, or as the window closes).
  ActionOutcome RunToEnd(const Action& action);
  // The port failed before: opens it again (empty when it works now,
  // otherwise why not).
  std::string Reopen();
  bool PortFailed() const { return engine_.output.Failed(); }

  // The port writes of the run so far that went out.
  std::uint64_t WritesThatWentOut() const;

  // The port writes the action makes when nothing fails (see ActionOutcome),
  // with the steps loaded now.
  std::optional<std::uint64_t> PlannedWrites(const Action& action) const;
  // The port writes of one byte of a list or picture (one run of the command
  // or data event); none for an action of one piece.
  std::optional<std::uint64_t> WritesPerByte(const Action& action) const;
  // The bytes of one picture: the picture surface scanned.
  std::uint64_t PictureBytes() const;

 private:
  void Execute(const Action& action, ActionOutcome& outcome);
  void RunNamedEvent(const std::string& name);
  void SendSurface();
  // The file could be drawn on the surface; the reason goes to the reports
  // when `report`.
  bool DrawPicture(const std::string& path, bool report);
  // images/lcd_0.bmp, lcd_1.bmp, ... up to the first that cannot be loaded,
  // or the first whose send reports a problem.
  void SendSeries(ActionOutcome& outcome);
  std::string StopProgress(const Action& action, int pictures) const;
  bool StandardEventUnreadable(const char* fileName) const;

  PortStack& stack_;
  global::Diagnostics diagnostics_;
  events::Engine engine_;
  image::PictureSurface* surface_ = nullptr;
  std::int32_t imageThreshold_ = image::kStartImageThreshold;
  std::vector<std::string> unreadableEvents_;
  bool traceStopSaid_ = false;
};

// "The picture series stopped at .../images/lcd_1.bmp:", the head of what the
// reports of that frame follow.
std::string SeriesStoppedSentence(const std::string& frame);

}  // namespace quorvane::session
