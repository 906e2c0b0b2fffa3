#pragma once
// The line display: five lamps and a trace of the last 100 port writes, one
// lane per line, plus a pointer cursor over the trace that turns the lamps into
// a readout of the sample under it. Holds the colour table, the line history
// and the cursor position; draws through the lamps and the picture it is given.

#include <QColor>
#include <QLineF>
#include <Qt>

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "global/Wiring.h"

namespace quorvane::global {
struct Global;
}

namespace quorvane::port {

class LampShape;
class TracePicture;

class LineDisplay final {
 public:
  static constexpr int kLines = global::kSignalLines;
  static constexpr int kSamples = 100;
  // CursorX when no cursor is drawn.
  static constexpr float kNoCursor = -99.0f;

  // Slot n the dark and slot n + 5 the bright colour of line Dn.
  using ColorTable = std::array<QColor, 2 * kLines>;
  // Sample 0 the oldest, sample 99 the newest; entry n the level of line Dn.
  using HistoryTable = std::array<std::array<bool, kLines>, kSamples>;
  // Lamp n shows line Dn; a missing lamp is skipped.
  using Lamps = std::array<LampShape*, kLines>;

  // The colours of the lines, as Initialise sets them: the lamps, the trace
  // and the program's artwork show the lines in them.
  static const ColorTable& StartColors();

  LineDisplay(const Lamps& shpData, TracePicture& picVisualizer, const global::Global& global);

  // Start-up: no cursor, the colour table, the picture's coordinate system, the
  // lamps dark and the trace of an all-low history.
  void Initialise();

  // Sets lamp n from bit n of Value.
  void UpdateLeds(std::uint8_t Value);
  // Shifts the byte into the history and redraws the whole trace.
  void UpdateVisualizerByte(std::uint8_t myByte);
  // Takes the newest `count` bytes back out of the history (writes the port
  // never sent): the older ones move up again, and the lamps show the newest
  // byte left. Up to kKeptEarlier bytes that left the trace come back.
  void TakeBack(std::uint64_t count);
  static constexpr std::size_t kKeptEarlier = 4096;
  // The pointer moved over the picture, or anywhere while the picture holds the
  // capture; x and Y in visualiser units. Button and Shift are not used.
  void picVisualizer_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, float x,
                               float Y);

  // The window lost input (a modal window opened, it was deactivated or
  // hidden): tracking ends as if the pointer had left the picture. The cursor
  // goes, the capture is released and the lamps show OutputByte again.
  void EndTracking();

  const ColorTable& LineColors() const { return lineColors_; }
  const HistoryTable& LineHistory() const { return lineHistory_; }
  float CursorX() const { return cursorX_; }

 private:
  void SetLamps(const std::array<bool, kLines>& levels);
  void Redraw();
  void RedrawWithCursor();
  // The dotted exclusive-or line at x; drawing it twice removes it.
  void DrawCursor(float x);
  void BeginCursorPen();
  void EndCursorPen();

  Lamps shpData_;
  TracePicture& picVisualizer_;
  const global::Global& global_;
  ColorTable lineColors_;
  HistoryTable lineHistory_{};
  // The bytes that left the trace on its old end, the latest last.
  std::deque<std::array<bool, kLines>> earlier_;
  float cursorX_ = kNoCursor;
  std::vector<QLineF> segments_;
};

}  // namespace quorvane::port
