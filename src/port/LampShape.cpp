#include "port/LampShape.h"

#include <QPainter>

#include <algorithm>

namespace quorvane::port {

namespace {

const QColor kOutlineColor(32, 32, 32);

}  // namespace

LampShape::LampShape(QWidget* parent) : QWidget(parent) {}

void LampShape::SetFillColor(const QColor& color) {
  if (color == fillColor_) return;
  fillColor_ = color;
  update();
}

void LampShape::paintEvent(QPaintEvent* /*event*/) {
  // A circle as large as the shorter side allows, centred in the widget.
  const int diameter = std::min(width(), height()) - 1;
  if (diameter <= 0) return;
  const QRect circle((width() - 1 - diameter) / 2, (height() - 1 - diameter) / 2, diameter,
                     diameter);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kOutlineColor, 1));
  painter.setBrush(fillColor_);
  painter.drawEllipse(circle);
}

}  // namespace quorvane::port
