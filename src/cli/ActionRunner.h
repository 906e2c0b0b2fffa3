#pragma once
// One action of quorvane-send run against the engine: the standard events,
// lists, named events, power sequences and pictures, with what each plans to
// write and how far it got.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/SendOptions.h"

namespace quorvane::events {
struct Engine;
}
namespace quorvane::global {
class Diagnostics;
}

namespace quorvane::cli {

class StopPoints;

// The bytes of a value list, its delay items left out.
std::size_t ByteCount(const std::string& list);

class ActionRunner {
 public:
  ActionRunner(events::Engine& engine, global::Diagnostics& diagnostics,
               const std::vector<std::string>& unreadable, int threshold);

  // Runs the action against the engine and sends what the port holds.
  void Run(const SendAction& action);

  // The port writes the action makes when nothing fails; none for the series,
  // whose length is known only at its end.
  std::optional<std::uint64_t> PlannedWrites(const SendAction& action) const;

  // The port writes of one byte of a list or picture (one run of the command
  // or data event); none for an action of one piece.
  std::optional<std::uint64_t> WritesPerByte(const SendAction& action) const;

  // The bytes of one picture: the picture area scanned.
  std::uint64_t PictureBytes() const;

  // How far the action got when a stop ended it, `writes` port writes into
  // the run: "after 6 of 7 bytes", "before its first write".
  std::string StopProgress(const SendAction& action, const StopPoints& stops,
                           std::uint64_t writes) const;

 private:
  bool IsUnreadable(const std::string& fileName) const;

  void RunNamedEvent(const std::string& name);

  // Draws the picture onto the surface, as the image window holds it.
  bool DrawPicture(const std::string& path, bool report);

  void SendPictureFile(const std::string& path);

  // images/lcd_0.bmp, lcd_1.bmp, ... up to the first that cannot be loaded.
  void SendSeries();

 public:
  int seriesFrames = 0;

 private:
  events::Engine& engine_;
  global::Diagnostics& diagnostics_;
  const std::vector<std::string>& unreadable_;
  const std::int32_t ImageThreshold_;
  QImage surface_;
};

}  // namespace quorvane::cli
