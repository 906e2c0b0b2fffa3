#include "image/ImageSurface.h"

#include <QPainter>

#include "image/PictureFile.h"

namespace quorvane::image {

ImageSurface::ImageSurface(QWidget* parent)
    : QWidget(parent), image_(kWidth, kHeight, QImage::Format_RGB32) {
  // Until a picture is drawn the surface holds the button-face colour.
  image_.fill(palette().color(QPalette::Button));
}

QRect ImageSurface::SurfaceRect() const {
  return QRect((width() - kWidth) / 2, (height() - kHeight) / 2, kWidth, kHeight);
}

void ImageSurface::DrawStretched(const QImage& picture) {
  image::DrawStretched(image_, picture);
}

void ImageSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QRect surface = SurfaceRect();
  // A sunken border around the surface.
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(surface.adjusted(-2, -2, 1, 1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(surface.bottomLeft() + QPoint(-1, 1), surface.bottomRight() + QPoint(1, 1));
  painter.drawLine(surface.topRight() + QPoint(1, -1), surface.bottomRight() + QPoint(1, 1));
  painter.drawImage(surface.topLeft(), image_);
}

}  // namespace quorvane::image
