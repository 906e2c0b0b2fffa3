#pragma once
// One indicator lamp of the line display: a small filled circle with a thin
// dark outline, whose fill colour shows the level of one line.

#include <QColor>
#include <QWidget>

class QPaintEvent;

namespace quorvane::port {

class LampShape final : public QWidget {
  Q_OBJECT

 public:
  explicit LampShape(QWidget* parent = nullptr);

  // Schedules a repaint only when the colour actually changes, since the lamps
  // are set on every port write that shows on screen.
  void SetFillColor(const QColor& color);
  QColor FillColor() const { return fillColor_; }

  QSize sizeHint() const override { return {17, 13}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fillColor_{Qt::black};
};

}  // namespace quorvane::port
