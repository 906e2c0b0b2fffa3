#pragma once
// The module's glass drawn large in LCD colours, inside a dark bezel.

#include <QImage>
#include <QWidget>

#include "module/DotsImage.h"
#include "module/ShownDots.h"

namespace quorvane::module {

class PanelView final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kScale = 5;   // screen pixels per dot
  static constexpr int kBezel = 12;  // around the glass
  // A greyish green glass with dark blue-black dots.
  static constexpr PanelColours kLcdColours{0xFFB4C4A4u, 0xFF1C2620u};

  explicit PanelView(QWidget* parent = nullptr);

  void SetDots(const PanelDots& dots);
  const PanelDots& Dots() const { return dots_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PanelDots dots_;
  QImage glass_;
};

}  // namespace quorvane::module
