#include "ui/main/ThresholdReadout.h"

#include <QScrollBar>
#include <QToolTip>

#include "image/Threshold.h"

namespace quorvane::ui {
namespace {

// How long the tip window stays after the slider last moved.
constexpr int kShownAfterMoveMs = 1500;

}  // namespace

QString ThresholdReadoutText(int position) {
  return QString("Threshold %1 × %2 = %3")
      .arg(position)
      .arg(image::kThresholdFactor)
      .arg(image::ThresholdOfPosition(position));
}

ThresholdReadout::ThresholdReadout(QScrollBar* slider)
    : QLabel(slider, Qt::ToolTip | Qt::BypassGraphicsProxyWidget), slider_(slider) {
  setObjectName("lblSoglia");
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setPalette(QToolTip::palette());
  setFont(QToolTip::font());
  setAutoFillBackground(true);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(2);
  hideTimer_.setSingleShot(true);
  hideTimer_.setInterval(kShownAfterMoveMs);
  connect(&hideTimer_, &QTimer::timeout, this, [this] {
    if (!slider_->isSliderDown()) hide();
  });

  slider_->setToolTip(ThresholdReadoutText(slider_->value()));
  connect(slider_, &QScrollBar::valueChanged, this,
          [this](int value) { slider_->setToolTip(ThresholdReadoutText(value)); });
  // Only the user's moves show the tip window; a position set by the program
  // (at start-up) changes the tooltip alone. The action comes before the new
  // value is taken, so the tip reads the slider's position.
  connect(slider_, &QScrollBar::actionTriggered, this,
          [this] { ShowPosition(slider_->sliderPosition()); });
  connect(slider_, &QScrollBar::sliderReleased, this, [this] { hideTimer_.start(); });
}

void ThresholdReadout::ShowPosition(int position) {
  QToolTip::hideText();
  setText(ThresholdReadoutText(position));
  adjustSize();
  // Centred below the strip, so that neither the strip nor the pointer on it
  // is covered.
  const QPoint below = slider_->mapToGlobal(QPoint(slider_->width() / 2, slider_->height() + 4));
  move(below.x() - width() / 2, below.y());
  show();
  raise();
  hideTimer_.start();
}

}  // namespace quorvane::ui
