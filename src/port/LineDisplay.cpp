#include "port/LineDisplay.h"

#include <algorithm>
#include <cmath>

#include "global/Global.h"
#include "port/LampShape.h"
#include "port/TracePicture.h"

namespace quorvane::port {

namespace {

constexpr LineDisplay::ColorTable kLineColors = {
    // Dark: D0 SCLK, D1 SDA, D2 D/C, D3 CS, D4 RESET.
    QColor(0, 64, 0), QColor(64, 64, 0), QColor(0, 0, 64), QColor(64, 0, 0), QColor(0, 64, 64),
    // Bright, same order.
    QColor(0, 255, 0), QColor(255, 255, 0), QColor(0, 0, 255), QColor(255, 0, 0),
    QColor(0, 255, 255)};

}  // namespace

const LineDisplay::ColorTable& LineDisplay::StartColors() {
  return kLineColors;
}

namespace {

// The picture spans x 0 to 100 (one unit per sample) and y 49 down to -1.
// Line Dn owns the band 10n to 10n + 9: low drawn at 10n, high at 10n + 8.
constexpr float kScaleLeft = 0;
constexpr float kScaleTop = 49;
constexpr float kScaleWidth = 100;
constexpr float kScaleHeight = -50;
constexpr float kLaneHeight = 10;
constexpr float kHighOffset = 8;
constexpr float kBoxHeight = 9;
// The cursor runs from the bottom of the SCLK lane past the top edge.
constexpr float kCursorBottom = 0;
constexpr float kCursorTop = 50;

std::array<bool, LineDisplay::kLines> Levels(std::uint8_t value) {
  std::array<bool, LineDisplay::kLines> levels{};
  for (int n = 0; n < LineDisplay::kLines; ++n) levels[n] = (value >> n) & 1u;
  return levels;
}

// The sample under x: floor(x) limited to 0..99.
int Column(float x) {
  const float column = std::floor(x);
  if (!(column >= 0)) return 0;
  if (column > LineDisplay::kSamples - 1) return LineDisplay::kSamples - 1;
  return static_cast<int>(column);
}

bool OutsideDrawingArea(float x, float Y) {
  if (!std::isfinite(x) || !std::isfinite(Y)) return true;
  return x < kScaleLeft || x > kScaleLeft + kScaleWidth || Y < kScaleTop + kScaleHeight ||
         Y > kScaleTop;
}

}  // namespace

LineDisplay::LineDisplay(const Lamps& shpData, TracePicture& picVisualizer,
                         const global::Global& global)
    : shpData_(shpData), picVisualizer_(picVisualizer), global_(global), lineColors_(kLineColors) {
  segments_.reserve(kSamples);
}

void LineDisplay::Initialise() {
  // A capture left over from earlier tracking would outlive the cursor it
  // belongs to once CursorX is reset.
  if (picVisualizer_.HasCapture()) picVisualizer_.ReleaseCapture();
  cursorX_ = kNoCursor;
  lineColors_ = kLineColors;
  picVisualizer_.SetScale(kScaleLeft, kScaleTop, kScaleWidth, kScaleHeight);
  picVisualizer_.SetDrawMode(TracePicture::DrawMode::Copy);
  picVisualizer_.SetDrawStyle(TracePicture::DrawStyle::Solid);
  SetLamps({});
  Redraw();
}

void LineDisplay::SetLamps(const std::array<bool, kLines>& levels) {
  for (int n = kLines - 1; n >= 0; --n) {
    if (shpData_[n] != nullptr) shpData_[n]->SetFillColor(lineColors_[levels[n] ? n + kLines : n]);
  }
}

void LineDisplay::UpdateLeds(std::uint8_t Value) {
  SetLamps(Levels(Value));
}

void LineDisplay::UpdateVisualizerByte(std::uint8_t myByte) {
  if (earlier_.size() == kKeptEarlier) earlier_.pop_front();
  earlier_.push_back(lineHistory_.front());
  std::copy(lineHistory_.begin() + 1, lineHistory_.end(), lineHistory_.begin());
  lineHistory_.back() = Levels(myByte);
  RedrawWithCursor();
}

void LineDisplay::TakeBack(std::uint64_t count) {
  if (count == 0) return;
  for (; count > 0; --count) {
    std::copy_backward(lineHistory_.begin(), lineHistory_.end() - 1, lineHistory_.end());
    // Before the first byte the lines were all low, as the trace starts.
    lineHistory_.front() = {};
    if (!earlier_.empty()) {
      lineHistory_.front() = earlier_.back();
      earlier_.pop_back();
    }
  }
  SetLamps(lineHistory_.back());
  RedrawWithCursor();
}

void LineDisplay::RedrawWithCursor() {
  Redraw();
  // The redraw wiped the cursor while tracking goes on; drawing it again keeps
  // the picture in step with CursorX, so the next move removes it cleanly.
  if (cursorX_ != kNoCursor) {
    BeginCursorPen();
    DrawCursor(cursorX_);
    EndCursorPen();
  }
}

void LineDisplay::Redraw() {
  picVisualizer_.Cls();
  for (int n = 0; n < kLines; ++n) {
    const float bottom = kLaneHeight * n;
    picVisualizer_.Box(0, bottom, kSamples, bottom + kBoxHeight, lineColors_[n], true);
  }
  // Lanes never overlap, so drawing lane by lane gives the same picture as
  // drawing sample by sample, with one batch per colour. A run of samples at
  // one level is one line, the same pixels as its single segments. Levels of
  // neighbouring samples are not joined by vertical strokes.
  for (int n = 0; n < kLines; ++n) {
    const float bottom = kLaneHeight * n;
    segments_.clear();
    int start = 0;
    for (int i = 1; i <= kSamples; ++i) {
      if (i < kSamples && lineHistory_[i][n] == lineHistory_[start][n]) continue;
      const float y = bottom + (lineHistory_[start][n] ? kHighOffset : 0);
      segments_.emplace_back(start, y, i, y);
      start = i;
    }
    picVisualizer_.Lines(segments_, lineColors_[n + kLines]);
  }
}

void LineDisplay::BeginCursorPen() {
  picVisualizer_.SetDrawMode(TracePicture::DrawMode::Xor);
  picVisualizer_.SetDrawStyle(TracePicture::DrawStyle::Dot);
}

void LineDisplay::EndCursorPen() {
  picVisualizer_.SetDrawMode(TracePicture::DrawMode::Copy);
  picVisualizer_.SetDrawStyle(TracePicture::DrawStyle::Solid);
}

void LineDisplay::DrawCursor(float x) {
  picVisualizer_.Line(x, kCursorBottom, x, kCursorTop, Qt::white);
}

void LineDisplay::EndTracking() {
  if (!picVisualizer_.HasCapture() && cursorX_ == kNoCursor) return;
  if (cursorX_ != kNoCursor) {
    BeginCursorPen();
    DrawCursor(cursorX_);
    EndCursorPen();
  }
  picVisualizer_.ReleaseCapture();
  UpdateLeds(global_.OutputByte);
  cursorX_ = kNoCursor;
}

void LineDisplay::picVisualizer_MouseMove(Qt::MouseButtons /*Button*/,
                                          Qt::KeyboardModifiers /*Shift*/, float x, float Y) {
  const bool tracking = picVisualizer_.HasCapture();
  // A position that is no number at all can neither start tracking nor be
  // tracked; it counts as outside.
  if (!tracking && !(std::isfinite(x) && std::isfinite(Y))) return;

  SetLamps(lineHistory_[Column(x)]);
  BeginCursorPen();
  if (!tracking) {
    DrawCursor(x);
    picVisualizer_.SetCapture();
    cursorX_ = x;
  } else {
    DrawCursor(cursorX_);
    if (OutsideDrawingArea(x, Y)) {
      picVisualizer_.ReleaseCapture();
      UpdateLeds(global_.OutputByte);
      cursorX_ = kNoCursor;
    } else {
      DrawCursor(x);
      cursorX_ = x;
    }
  }
  EndCursorPen();
}

}  // namespace quorvane::port
