#pragma once
// A dotted frame around a widget while it holds the keyboard focus, for the
// controls whose style shows none: the trace picture and the thin threshold
// slider. It lies on the widget's parent, two pixels outside the widget, and
// takes no input.

#include <QWidget>

namespace quorvane::ui {

class FocusMark final : public QWidget {
  Q_OBJECT

 public:
  // Follows `watched` for as long as both live.
  explicit FocusMark(QWidget* watched);

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Follow();

  QWidget* watched_;
};

}  // namespace quorvane::ui
