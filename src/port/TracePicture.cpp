#include "port/TracePicture.h"

#include <QColor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quorvane::port {

namespace {

// Far outside any picture, yet safe to hand to the painter as an int.
constexpr double kPixelLimit = 1'000'000.0;

bool Finite(float a, float b, float c, float d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

bool Finite(const QLineF& line) {
  return std::isfinite(line.x1()) && std::isfinite(line.y1()) && std::isfinite(line.x2()) &&
         std::isfinite(line.y2());
}

int RoundToPixel(double value) {
  return static_cast<int>(std::clamp(std::floor(value + 0.5), -kPixelLimit, kPixelLimit));
}

}  // namespace

struct TracePicture::PixelMap {
  double left;
  double top;
  double xFactor;
  double yFactor;

  QPoint operator()(double x, double y) const {
    return {RoundToPixel((x - left) * xFactor), RoundToPixel((y - top) * yFactor)};
  }
};

TracePicture::PixelMap TracePicture::CurrentMap() const {
  const QSize size = contentsRect().size();
  return {scaleLeft_, scaleTop_, size.width() / static_cast<double>(scaleWidth_),
          size.height() / static_cast<double>(scaleHeight_)};
}

TracePicture::TracePicture(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBorder);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // paintEvent covers every pixel: the frame draws the border, the image the rest.
  setAttribute(Qt::WA_OpaquePaintEvent);
  FitImage();
}

void TracePicture::SetScale(float left, float top, float width, float height) {
  if (!Finite(left, top, width, height) || width == 0 || height == 0) return;
  scaleLeft_ = left;
  scaleTop_ = top;
  scaleWidth_ = width;
  scaleHeight_ = height;
}

void TracePicture::FitImage() {
  const QSize size = contentsRect().size().expandedTo(QSize(0, 0));
  if (image_.size() == size) return;
  QImage fitted(size, QImage::Format_RGB32);
  fitted.fill(Qt::black);
  if (!image_.isNull() && !fitted.isNull()) {
    QPainter painter(&fitted);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(fitted);
}

QPoint TracePicture::ToPixel(float x, float y) const {
  if (!std::isfinite(x) || !std::isfinite(y)) return {};
  return CurrentMap()(x, y);
}

QPointF TracePicture::ToScale(QPointF pixel) const {
  const QSize size = contentsRect().size();
  if (size.isEmpty()) return {scaleLeft_, scaleTop_};
  return {scaleLeft_ + pixel.x() * scaleWidth_ / size.width(),
          scaleTop_ + pixel.y() * scaleHeight_ / size.height()};
}

bool TracePicture::BeginPainting(QPainter& painter, const QColor& color) {
  FitImage();
  if (image_.isNull() || !painter.begin(&image_)) return false;
  // Exclusive-or on an opaque RGB32 image: drawing the same white line twice
  // gives back the pixels it covered.
  painter.setCompositionMode(drawMode_ == DrawMode::Xor ? QPainter::RasterOp_SourceXorDestination
                                                        : QPainter::CompositionMode_Source);
  QPen pen(color, 0, drawStyle_ == DrawStyle::Dot ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap);
  pen.setCosmetic(true);
  painter.setPen(pen);
  return true;
}

void TracePicture::Cls() {
  FitImage();
  image_.fill(Qt::black);
  update(contentsRect());
}

void TracePicture::Line(float x1, float y1, float x2, float y2, const QColor& color) {
  const QLineF line(x1, y1, x2, y2);
  Lines(std::span<const QLineF>(&line, 1), color);
}

void TracePicture::Lines(std::span<const QLineF> lines, const QColor& color) {
  const PixelMap map = CurrentMap();
  pixelLines_.clear();
  for (const QLineF& line : lines) {
    if (Finite(line))
      pixelLines_.emplace_back(map(line.x1(), line.y1()), map(line.x2(), line.y2()));
  }
  if (pixelLines_.empty()) return;
  QPainter painter;
  if (!BeginPainting(painter, color)) return;
  if (drawStyle_ == DrawStyle::Solid) {
    // Horizontal solid lines, the bulk of every trace, are filled as one-pixel
    // rows: the same pixels as the flat-capped line, at a fraction of the cost.
    auto generic = pixelLines_.begin();
    for (const QLine& line : pixelLines_) {
      if (line.y1() != line.y2() || line.x1() == line.x2()) {
        *generic++ = line;
      } else if (line.x1() < line.x2()) {
        painter.fillRect(QRect(line.x1(), line.y1(), line.x2() - line.x1(), 1), color);
      } else {
        painter.fillRect(QRect(line.x2() + 1, line.y1(), line.x1() - line.x2(), 1), color);
      }
    }
    pixelLines_.erase(generic, pixelLines_.end());
  }
  if (!pixelLines_.empty()) {
    painter.drawLines(pixelLines_.data(), static_cast<int>(pixelLines_.size()));
  }
  painter.end();
  update(contentsRect());
}

void TracePicture::Box(float x1, float y1, float x2, float y2, const QColor& color, bool filled) {
  if (!Finite(x1, y1, x2, y2)) return;
  QPainter painter;
  if (!BeginPainting(painter, color)) return;
  const PixelMap map = CurrentMap();
  const QPoint a = map(x1, y1);
  const QPoint b = map(x2, y2);
  const QRect corners(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
  if (filled) {
    painter.fillRect(corners, color);
  } else {
    // An aliased outline reaches one pixel past the rectangle's width and height.
    painter.drawRect(corners.adjusted(0, 0, -1, -1));
  }
  painter.end();
  update(contentsRect());
}

void TracePicture::SetCapture() {
  hasCapture_ = true;
  if (isVisible()) grabMouse();
}

void TracePicture::ReleaseCapture() {
  hasCapture_ = false;
  if (QWidget::mouseGrabber() == this) releaseMouse();
}

bool TracePicture::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      if (hasCapture_) emit InputLost();
      break;
    default:
      break;
  }
  return QFrame::event(event);
}

void TracePicture::paintEvent(QPaintEvent* event) {
  FitImage();
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = contentsRect();
  const QRect dirty = event->rect() & area;
  if (!dirty.isEmpty()) painter.drawImage(dirty, image_, dirty.translated(-area.topLeft()));
}

void TracePicture::mouseMoveEvent(QMouseEvent* event) {
  const QPointF user = ToScale(event->position() - QPointF(contentsRect().topLeft()));
  emit MouseMove(event->buttons(), event->modifiers(), static_cast<float>(user.x()),
                 static_cast<float>(user.y()));
}

}  // namespace quorvane::port
