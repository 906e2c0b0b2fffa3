#pragma once
// The picture area of the image window: a persistent 84 × 48 pixel surface,
// the size of one frame of the module, centred in its 105 × 68 outer area.
// What is drawn on it stays, is shown on every repaint, and is what the
// picture scan reads back.

#include <QImage>
#include <QWidget>

namespace quorvane::image {

class ImageSurface final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 84;  // one frame of the module
  static constexpr int kHeight = 48;

  explicit ImageSurface(QWidget* parent = nullptr);

  const QImage& Image() const { return image_; }
  // Draws the picture stretched over the whole surface.
  void DrawStretched(const QImage& picture);
  // Where the surface lies inside the widget.
  QRect SurfaceRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace quorvane::image
