#include "image/ImageSurface.h"

#include <QPainter>

namespace quorvane::image {

// Until a picture is drawn the surface holds the button-face colour.
ImageSurface::ImageSurface(QWidget* parent)
    : QWidget(parent), canvas_(palette().color(QPalette::Button)) {
  canvas_.SetShowNow([this] { repaint(); });
  canvas_.SetPictureDrawn([this] { setToolTip(canvas_.PictureText()); });
}

QRect ImageSurface::SurfaceRect() const {
  return QRect((width() - kWidth) / 2, (height() - kHeight) / 2, kWidth, kHeight);
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
  painter.drawImage(surface.topLeft(), canvas_.Image());
}

}  // namespace quorvane::image
