#pragma once
// The readout of the threshold slider: the slider's position and the
// threshold it stands for (position × 1000). The slider is a thin strip with
// no room for text, so the readout is its tooltip and, while the user moves
// the slider by mouse, keys or wheel, a small tip window below it that
// follows every step and goes away shortly after the last one.

#include <QLabel>
#include <QTimer>

class QScrollBar;

namespace quorvane::ui {

// "Threshold 8389 × 1000 = 8389000" for position 8389.
QString ThresholdReadoutText(int position);

class ThresholdReadout final : public QLabel {
  Q_OBJECT

 public:
  // Belongs to the slider and follows it from now on.
  explicit ThresholdReadout(QScrollBar* slider);

 private:
  void ShowPosition(int position);

  QScrollBar* slider_;
  QTimer hideTimer_;
};

}  // namespace quorvane::ui
