#include "module/PanelPicture.h"

#include <QPainter>

namespace quorvane::module {

PanelPicture::PanelPicture(QWidget* parent)
    : QWidget(parent), glass_(PanelImage(dots_, kScale, kLcdColours, 1)) {
  setFixedSize(sizeHint());
}

QSize PanelPicture::sizeHint() const {
  return {kColumns * kScale + 2 * kBezel, kRows * kScale + 2 * kBezel};
}

void PanelPicture::SetDots(const PanelDots& dots) {
  dots_ = dots;
  glass_ = PanelImage(dots_, kScale, kLcdColours, 1);
}

void PanelPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x2E, 0x33, 0x30));
  const QRect glass(kBezel, kBezel, glass_.width(), glass_.height());
  painter.fillRect(glass.adjusted(-4, -4, 4, 4), QColor::fromRgb(kLcdColours.clear));
  painter.drawImage(glass.topLeft(), glass_);
}

}  // namespace quorvane::module
