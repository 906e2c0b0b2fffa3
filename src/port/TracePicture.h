#pragma once
// The trace picture of the line display: a black picture box with a sunken
// border whose drawing stays on a persistent image until it is drawn over. It
// draws in a user coordinate system set once at start-up, with a copy or
// exclusive-or pen in a solid or dotted style, reports pointer movements in the
// same units, and can hold the pointer capture while the pointer is tracked.

#include <QFrame>
#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QPointF>

#include <span>
#include <vector>

class QColor;
class QMouseEvent;
class QPaintEvent;
class QPainter;

namespace quorvane::port {

class TracePicture final : public QFrame {
  Q_OBJECT

 public:
  enum class DrawMode { Copy, Xor };
  enum class DrawStyle { Solid, Dot };

  // Width of the sunken border on each side; the drawing area is the rest.
  static constexpr int kBorder = 2;

  explicit TracePicture(QWidget* parent = nullptr);

  // The user coordinate of the drawing area's left and top edges, and its width
  // and height in user units (negative to make y grow upwards). A zero or
  // non-finite width or height is refused, keeping the previous scale.
  void SetScale(float left, float top, float width, float height);

  void SetDrawMode(DrawMode mode) { drawMode_ = mode; }
  DrawMode GetDrawMode() const { return drawMode_; }
  void SetDrawStyle(DrawStyle style) { drawStyle_ = style; }
  DrawStyle GetDrawStyle() const { return drawStyle_; }

  // Clears the drawing to the black background.
  void Cls();
  // A one-pixel line between the two points. Flat-capped, it leaves out one
  // end pixel, so lines joined end to end share none; a horizontal line covers
  // x1 up to, not including, x2.
  void Line(float x1, float y1, float x2, float y2, const QColor& color);
  // Many lines of one colour under one painter; the fast path for whole traces.
  void Lines(std::span<const QLineF> lines, const QColor& color);
  // A box with corners (x1, y1) and (x2, y2), both included.
  void Box(float x1, float y1, float x2, float y2, const QColor& color, bool filled);

  // The image pixel that holds a user position (rounded to the nearest pixel
  // corner), and the user position of an image pixel position.
  QPoint ToPixel(float x, float y) const;
  QPointF ToScale(QPointF pixel) const;

  // The persistent drawing, as large as the drawing area was at the last
  // drawing call.
  const QImage& Image() const { return image_; }

  // Pointer capture: moves keep arriving, also outside the picture, until it is
  // released. The flag is kept here because not every platform reports grabs.
  bool HasCapture() const { return hasCapture_; }
  void SetCapture();
  void ReleaseCapture();

 signals:
  // Every pointer movement the picture receives, in user units.
  void MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, float x, float Y);
  // The picture holds the capture while its window loses input: a modal
  // window opened over it, or the window was deactivated or hidden. The
  // capture would otherwise keep every click from the modal window.
  void InputLost();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // User units to image pixels for the present size and scale.
  struct PixelMap;
  PixelMap CurrentMap() const;

  // Follows the size of the drawing area, keeping what is drawn.
  void FitImage();
  bool BeginPainting(QPainter& painter, const QColor& color);

  QImage image_;
  float scaleLeft_ = 0;
  float scaleTop_ = 0;
  float scaleWidth_ = 1;
  float scaleHeight_ = 1;
  DrawMode drawMode_ = DrawMode::Copy;
  DrawStyle drawStyle_ = DrawStyle::Solid;
  bool hasCapture_ = false;
  std::vector<QLine> pixelLines_;
};

}  // namespace quorvane::port
