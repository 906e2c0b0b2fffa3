#pragma once
// The image window: holds the picture that "Send" in the image frame sends.
// Shown at start-up beside the main window; the user cannot close it.

#include <QWidget>

namespace quorvane::image {

class ImageSurface;

class frmImage final : public QWidget {
  Q_OBJECT

 public:
  explicit frmImage(QWidget* parent = nullptr);
  ImageSurface* picImage() const { return picImage_; }

 private:
  ImageSurface* picImage_;
};

}  // namespace quorvane::image
