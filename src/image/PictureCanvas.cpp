#include "image/PictureCanvas.h"

#include <QFileInfo>

namespace quorvane::image {

PictureCanvas::PictureCanvas(QColor background)
    : image_(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32), pixels_(image_) {
  image_.fill(background);
  pixels_ = ImagePixels(image_);
}

void PictureCanvas::DrawStretched(const QImage& picture, const QString& name) {
  image::DrawStretched(image_, picture);
  pixels_ = ImagePixels(image_);
  const QString size = QString("%1 × %2 pixels").arg(picture.width()).arg(picture.height());
  pictureText_ = name.isEmpty() ? size : name + ", " + size;
  if (drawn_) drawn_();
}

std::string PictureCanvas::DrawPictureFile(const std::string& path) {
  const QString file = QString::fromStdString(path);
  const LoadedPicture loaded = LoadPicture(file);
  if (loaded.picture.isNull()) return loaded.error.toStdString();
  DrawStretched(loaded.picture, QFileInfo(file).fileName());
  return {};
}

}  // namespace quorvane::image
