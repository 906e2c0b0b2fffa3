#include "ui/main/FocusMark.h"

#include <QEvent>
#include <QPainter>

namespace quorvane::ui {
namespace {

constexpr int kOutside = 2;

}  // namespace

FocusMark::FocusMark(QWidget* watched) : QWidget(watched->parentWidget()), watched_(watched) {
  setObjectName("focusMark_" + watched->objectName());
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  watched_->installEventFilter(this);
  Follow();
  hide();
}

bool FocusMark::eventFilter(QObject* object, QEvent* event) {
  if (object == watched_) {
    switch (event->type()) {
      case QEvent::FocusIn:
        Follow();
        show();
        raise();
        break;
      case QEvent::FocusOut:
      case QEvent::Hide:
        hide();
        break;
      case QEvent::Move:
      case QEvent::Resize:
        Follow();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(object, event);
}

void FocusMark::Follow() {
  setGeometry(watched_->geometry().adjusted(-kOutside, -kOutside, kOutside, kOutside));
}

void FocusMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPen pen(palette().color(QPalette::Highlight), 1, Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quorvane::ui
