#pragma once
// A picture surface of one module frame (84 × 48 pixels) held in memory: what
// quorvane-send draws on, and what the image window shows.

#include <QColor>
#include <QImage>
#include <functional>

#include "image/PictureFile.h"
#include "image/PictureSurface.h"

namespace quorvane::image {

class PictureCanvas final : public PictureSurface {
 public:
  // Until a picture is drawn the surface holds `background`.
  explicit PictureCanvas(QColor background);

  const QImage& Image() const { return image_; }
  // Draws the picture stretched over the whole surface; name is its file's.
  void DrawStretched(const QImage& picture, const QString& name = {});
  // The picture drawn last and its own size, "lcd_0.bmp, 84 × 48 pixels":
  // the surface stretches every picture, so only this tells its size. Empty
  // until a picture is drawn.
  const QString& PictureText() const { return pictureText_; }
  // Called after each picture is drawn.
  void SetPictureDrawn(std::function<void()> drawn) { drawn_ = std::move(drawn); }

  const PixelSource& Pixels() const override { return pixels_; }
  std::string DrawPictureFile(const std::string& path) override;
  void ShowNow() override {
    if (shown_) shown_();
  }
  // Called by ShowNow: the widget that shows the surface repaints.
  void SetShowNow(std::function<void()> shown) { shown_ = std::move(shown); }

 private:
  QImage image_;
  ImagePixels pixels_;
  std::function<void()> shown_;
  QString pictureText_;
  std::function<void()> drawn_;
};

}  // namespace quorvane::image
