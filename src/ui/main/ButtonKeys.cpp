#include "ui/main/ButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace quorvane::ui {
namespace {

class EnterPressesButtons final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    // A dialog's own buttons (autoDefault) already take Enter.
    if (button == nullptr || button->autoDefault() || !button->isEnabled()) return false;
    button->click();
    return true;
  }
};

}  // namespace

void InstallButtonKeys(QApplication& application) {
  static EnterPressesButtons* filter = nullptr;
  if (filter != nullptr) return;
  filter = new EnterPressesButtons(&application);
  application.installEventFilter(filter);
}

}  // namespace quorvane::ui
