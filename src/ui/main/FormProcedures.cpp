#include "ui/main/FormProcedures.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/desktop/Desktop.h"

namespace quorvane::ui {
namespace {

// Refuses the close events that come from the user; a close() of the
// program's own is not spontaneous and passes.
class RefuseUserClose final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close && event->spontaneous()) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void CenterForm(QWidget* myForm) {
  const QScreen* screen = myForm->screen() ? myForm->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QRect frame = myForm->frameGeometry();
  const double left = area.width() / 2.0 - frame.width() / 2.0;
  const double top = area.height() / 2.0 - frame.height() / 2.0;
  myForm->move(area.left() + static_cast<int>(left), area.top() + static_cast<int>(top));
}

void RemoveCloseItem(QWidget* myForm) {
  platform::RemoveSystemMenuClose(myForm);
  // Whatever the window system still offers (a key, a task bar's menu) is
  // refused too.
  constexpr const char* kFilterName = "RefuseUserClose";
  if (myForm->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly) == nullptr) {
    auto* filter = new RefuseUserClose(myForm);
    filter->setObjectName(kFilterName);
    myForm->installEventFilter(filter);
  }
}

}  // namespace quorvane::ui
