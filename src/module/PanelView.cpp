#include "module/PanelView.h"

#include <QPainter>

namespace quorvane::module {

PanelView::PanelView(QWidget* parent)
    : QWidget(parent), glass_(DotsImage(dots_, kScale, kLcdColours, 1)) {
  setFixedSize(sizeHint());
}

QSize PanelView::sizeHint() const {
  return {kColumns * kScale + 2 * kBezel, kRows * kScale + 2 * kBezel};
}

void PanelView::SetDots(const PanelDots& dots) {
  dots_ = dots;
  glass_ = DotsImage(dots_, kScale, kLcdColours, 1);
}

void PanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x2E, 0x33, 0x30));
  const QRect glass(kBezel, kBezel, glass_.width(), glass_.height());
  painter.fillRect(glass.adjusted(-4, -4, 4, 4), QColor::fromRgb(kLcdColours.clear));
  painter.drawImage(glass.topLeft(), glass_);
}

}  // namespace quorvane::module
