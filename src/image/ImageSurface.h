#pragma once
// The picture area of the image window: a persistent 84 × 48 pixel surface,
// the size of one frame of the module, centred in its 105 × 68 outer area.
// What is drawn on it stays, is shown on every repaint, and is what the
// picture scan reads back. Its tooltip names the picture and its own size.

#include <QImage>
#include <QWidget>

#include "image/PictureCanvas.h"
#include "image/PictureFile.h"

namespace quorvane::image {

class ImageSurface final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = kSurfaceWidth;  // one frame of the module
  static constexpr int kHeight = kSurfaceHeight;

  explicit ImageSurface(QWidget* parent = nullptr);

  const QImage& Image() const { return canvas_.Image(); }
  // Draws the picture stretched over the whole surface.
  void DrawStretched(const QImage& picture) { canvas_.DrawStretched(picture); }
  // The surface the picture actions draw on and read; showing a frame of the
  // series at once repaints this widget.
  PictureCanvas& Canvas() { return canvas_; }
  // Where the surface lies inside the widget.
  QRect SurfaceRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureCanvas canvas_;
};

}  // namespace quorvane::image
