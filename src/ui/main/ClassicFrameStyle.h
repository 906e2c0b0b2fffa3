#pragma once
// The desktop style with classic frames: a frame's etched border starts at the
// middle of its caption, and the caption interrupts the top line. Controls
// placed 16 pixels below a frame's top then sit inside the border, as the
// windows are laid out, instead of on a line drawn below the caption.

#include <QProxyStyle>

namespace quorvane::ui {

class ClassicFrameStyle final : public QProxyStyle {
 public:
  // Takes ownership of base.
  explicit ClassicFrameStyle(QStyle* base);

  // The caption's left edge, and the room it leaves at the right.
  static constexpr int kCaptionMargin = 8;

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
};

}  // namespace quorvane::ui
