#include "RandomDriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "RandomInputRig.h"
#include "port/TracePicture.h"

namespace quorvane::testing {
namespace {

// An action may take its waits plus this long: a window opened for the first
// time loads fonts and plugins, which a cold disk makes slow; a stuck action
// still shows.
constexpr qint64 kSlackMs = 3000;
// No action for this long is a hang: the process ends, naming the seed.
constexpr qint64 kHangMs = 20000;
constexpr std::size_t kRecentActions = 25;

qint64 NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Nanoseconds this thread has spent ready to run while other programs held
// the processors (the second field of its schedstat), or 0 where the system
// does not tell.
qint64 ReadyWaitNs() {
  std::FILE* file = std::fopen("/proc/thread-self/schedstat", "r");
  if (file == nullptr) return 0;
  unsigned long long running = 0, waiting = 0;
  const bool read = std::fscanf(file, "%llu %llu", &running, &waiting) == 2;
  std::fclose(file);
  return read ? static_cast<qint64>(waiting) : 0;
}

// The time of an action on the clock on the wall, less the time it only
// waited for a processor: a busy machine does not make an action slow, but
// its own work, its blocking calls and any real sleep all count.
class Stopwatch {
 public:
  Stopwatch() : readyWaitStart_(ReadyWaitNs()) { timer_.start(); }
  qint64 ElapsedMs() const {
    const qint64 readyWaitMs = (ReadyWaitNs() - readyWaitStart_) / 1'000'000;
    return std::max<qint64>(0, timer_.elapsed() - readyWaitMs);
  }

 private:
  QElapsedTimer timer_;
  qint64 readyWaitStart_;
};

QString Named(const QWidget* widget) {
  const QString name = widget->objectName();
  return name.isEmpty() ? QString(widget->metaObject()->className()) : name;
}

QString Shortened(const QString& text) {
  return text.size() <= 40 ? text : text.left(30) + QString("... (%1 characters)").arg(text.size());
}

}  // namespace

RandomDriver::RandomDriver(RandomInputRig& rig, std::uint64_t seed, int mostActionsInAModal)
    : rig_(rig), seed_(seed), mostActionsInAModal_(mostActionsInAModal), random_(seed) {
  rig_.sleeper.onSleep = [this](std::uint32_t milliseconds) {
    waitedMs_ += milliseconds;
    rig_.sleeper.requests.clear();
  };
  lastProgressMs_ = NowMs();
  watchdog_ = std::thread([this] { Watchdog(); });
}

RandomDriver::~RandomDriver() {
  {
    const std::lock_guard<std::mutex> lock(watchdogMutex_);
    done_ = true;
  }
  watchdogWake_.notify_all();
  watchdog_.join();
  rig_.sleeper.onSleep = nullptr;
}

void RandomDriver::Watchdog() {
  std::unique_lock<std::mutex> lock(watchdogMutex_);
  while (!done_) {
    watchdogWake_.wait_for(lock, std::chrono::milliseconds(250));
    if (!done_ && NowMs() - lastProgressMs_ > kHangMs) {
      const std::lock_guard<std::mutex> note(noteMutex_);
      std::fprintf(stderr,
                   "random input: seed %llu hangs: no action ended for %lld s; last: %s\n"
                   "replay: QUORVANE_RANDOM_SEED=%llu\n",
                   static_cast<unsigned long long>(seed_), static_cast<long long>(kHangMs / 1000),
                   lastNote_.c_str(), static_cast<unsigned long long>(seed_));
      std::fflush(stderr);
      std::abort();
    }
  }
}

QString RandomDriver::Run(int actions) {
  for (action_ = 1; action_ <= actions && failure_.isEmpty(); ++action_) {
    const int which = random_.Below(10);
    QWidget* window = rig_.window.get();
    if (which == 0) window = rig_.window->ImageWindow();
    if (which == 1) window = rig_.window->ModuleWindow();
    Act(window);
    HandlePopup();
    QCoreApplication::processEvents();
    if (QApplication::activeModalWidget() != nullptr) Fail("a modal window stayed open");
    if (rig_.window->IsShutDown() || !rig_.window->isVisible()) Fail("the main window closed");
  }
  return failure_;
}

QString RandomDriver::Where(const QString& what) const {
  QString text =
      QString("seed %1, action %2: %3\nlast actions:\n").arg(seed_).arg(action_).arg(what);
  for (const QString& note : recent_) text += "  " + note + "\n";
  return text + QString("replay: QUORVANE_RANDOM_SEED=%1").arg(seed_);
}

void RandomDriver::Note(const QString& action) {
  recent_.push_back(QString("%1: %2").arg(action_).arg(action));
  if (recent_.size() > kRecentActions) recent_.pop_front();
  const std::lock_guard<std::mutex> lock(noteMutex_);
  lastNote_ = recent_.back().toStdString();
}

void RandomDriver::Fail(const QString& what) {
  if (!failure_.isEmpty()) return;
  failure_ = Where(what);
  // The test's own message may be cut short; the whole of it goes here.
  std::fprintf(stderr, "random input: %s\n", qPrintable(failure_));
}

void RandomDriver::Act(QWidget* window) {
  if (!failure_.isEmpty()) return;
  // What the stand-ins answer if this action asks.
  rig_.dialogs.answers = {random_.Pick(rig_.files)};
  rig_.messages.inputAnswers = {random_.EventName(), random_.Garbage(random_.Below(12))};
  rig_.messages.answersYesNo = {random_.Chance(50) ? platform::MessageBoxes::Answer::Yes
                                                   : platform::MessageBoxes::Answer::No};
  if (rig_.messages.shown.size() > 1000) rig_.messages.shown.clear();

  // Input goes to the window a person looks at: it is made the active one,
  // as a click on it or a switch to it would.
  if (!window->isActiveWindow()) {
    window->activateWindow();
    QCoreApplication::processEvents();
  }
  nested_.push_back(0);
  const std::uint64_t waitedBefore = waitedMs_;
  lastProgressMs_ = NowMs();
  const Stopwatch stopwatch;
  WatchForModalWindows();
  Perform(window);
  const qint64 elapsed = stopwatch.ElapsedMs();
  const qint64 own = elapsed - nested_.back();
  nested_.pop_back();
  if (!nested_.empty()) nested_.back() += elapsed;
  Check(own, waitedMs_ - waitedBefore);
}

void RandomDriver::Check(qint64 elapsedMs, std::uint64_t waitedMs) {
  lastProgressMs_ = NowMs();
  if (elapsedMs > slowestMs_) {
    slowestMs_ = elapsedMs;
    slowest_ = recent_.empty() ? QString() : recent_.back();
  }
  const auto allowed = static_cast<qint64>(waitedMs) + kSlackMs;
  if (elapsedMs > allowed) {
    Fail(QString("the last action took %1 ms, more than its waits plus three seconds (%2 ms)")
             .arg(elapsedMs)
             .arg(allowed));
  }
}

void RandomDriver::Keystroke(const std::function<void()>& press) {
  // Each key of a typed text is a step of its own, timed alone: a person
  // waits for the box after each key, not for the whole text.
  const std::uint64_t waitedBefore = waitedMs_;
  const Stopwatch stopwatch;
  press();
  const qint64 elapsed = stopwatch.ElapsedMs();
  nested_.back() += elapsed;
  Check(elapsed, waitedMs_ - waitedBefore);
}

void RandomDriver::Perform(QWidget* window) {
  const int kind = random_.Below(100);
  if (kind < 30) {
    Click(window);
  } else if (kind < 55) {
    PressKey(window);
  } else if (kind < 72) {
    TypeText(window);
  } else if (kind < 84) {
    MovePointer(window);
  } else if (kind < 89) {
    OpenContextMenu(window);
  } else if (kind < 94) {
    Wheel(window);
  } else {
    static const std::vector<Qt::Key> kLetters = {Qt::Key_D, Qt::Key_W, Qt::Key_Question, Qt::Key_S,
                                                  Qt::Key_E};
    const Qt::Key key = random_.Pick(kLetters);
    Note(QString("Alt+%1 on %2").arg(QKeySequence(key).toString(), Named(window)));
    QTest::keyClick(window, key, Qt::AltModifier);
  }
}

QWidget* RandomDriver::AnyControl(QWidget* window) {
  // Mostly a control that takes input; now and then anything, frames,
  // labels and the window itself included.
  const bool anything = random_.Chance(30);
  std::vector<QWidget*> controls{window};
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisible() || child->window() != window || child->size().isEmpty()) continue;
    if (anything || child->focusPolicy() != Qt::NoFocus || qobject_cast<QMenuBar*>(child)) {
      controls.push_back(child);
    }
  }
  return random_.Pick(controls);
}

void RandomDriver::Click(QWidget* window) {
  QWidget* target = AnyControl(window);
  const QPoint at(random_.Below(target->width()), random_.Below(target->height()));
  const int b = random_.Below(20);
  const Qt::MouseButton button = b < 17   ? Qt::LeftButton
                                 : b < 19 ? Qt::RightButton
                                          : Qt::MiddleButton;
  const Qt::KeyboardModifiers modifiers = random_.Chance(90)   ? Qt::NoModifier
                                          : random_.Chance(50) ? Qt::ShiftModifier
                                                               : Qt::ControlModifier;
  const bool twice = random_.Chance(10);
  Note(QString("%1 %2 on %3 at %4,%5")
           .arg(twice ? "double-click" : "click")
           .arg(int(button))
           .arg(Named(target))
           .arg(at.x())
           .arg(at.y()));
  if (twice) {
    QTest::mouseDClick(target, button, modifiers, at);
  } else {
    QTest::mouseClick(target, button, modifiers, at);
  }
}

void RandomDriver::PressKey(QWidget* window) {
  QWidget* target = window->focusWidget();
  if (target == nullptr || !target->isVisible() || target->window() != window) target = window;
  const RandomInput::Key key = random_.AnyKey();
  Note(
      QString("key %1 on %2").arg(QKeySequence(key.key | key.modifiers).toString(), Named(target)));
  QTest::keyClick(target, key.key, key.modifiers);
}

void RandomDriver::TypeText(QWidget* window) {
  std::vector<QLineEdit*> boxes;
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
    if (box->isVisible() && box->window() == window) boxes.push_back(box);
  }
  if (boxes.empty()) {
    PressKey(window);
    return;
  }
  QLineEdit* box = random_.Pick(boxes);
  const QString text = random_.BoxText();
  box->setFocus();
  if (random_.Chance(50)) {
    Keystroke([&] { QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); });
  }
  if (text.size() > 60 || random_.Chance(20)) {
    Note(QString("paste into %1: '%2'").arg(Named(box), Shortened(text)));
    QGuiApplication::clipboard()->setText(text);
    Keystroke([&] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); });
  } else {
    Note(QString("type into %1: '%2'").arg(Named(box), text));
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i);
      QString typed(c);
      if (c.isHighSurrogate() && i + 1 < text.size()) typed = text.mid(i++, 2);
      Keystroke([&] {
        if (typed.size() == 1 && c.unicode() < 0x80 && c.isPrint()) {
          QTest::keyClick(box, c.toLatin1());
        } else {
          QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, typed, Qt::NoModifier);
        }
      });
    }
  }
  if (random_.Chance(30)) Keystroke([&] { QTest::keyClick(box, Qt::Key_Return); });
}

void RandomDriver::MovePointer(QWidget* window) {
  QWidget* target = nullptr;
  if (window == rig_.window.get() && random_.Chance(60)) {
    target = window->findChild<port::TracePicture*>("picVisualizer");
  }
  if (target == nullptr) target = AnyControl(window);
  const QPoint at(random_.Below(target->width() + 60) - 30,
                  random_.Below(target->height() + 60) - 30);
  // While a widget holds the pointer, every move goes to it.
  QWidget* receiver = QWidget::mouseGrabber() != nullptr ? QWidget::mouseGrabber() : target;
  const QPoint global = target->mapToGlobal(at);
  const QPointF local = receiver->mapFromGlobal(QPointF(global));
  Note(QString("move over %1 to %2,%3").arg(Named(target)).arg(at.x()).arg(at.y()));
  QMouseEvent move(QEvent::MouseMove, local, QPointF(global), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(receiver, &move);
}

void RandomDriver::OpenContextMenu(QWidget* window) {
  QWidget* target = AnyControl(window);
  const QPoint at(random_.Below(target->width()), random_.Below(target->height()));
  Note(QString("context menu on %1").arg(Named(target)));
  QContextMenuEvent event(
      random_.Chance(50) ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard, at,
      target->mapToGlobal(at));
  QCoreApplication::sendEvent(target, &event);
}

void RandomDriver::Wheel(QWidget* window) {
  QWidget* target = AnyControl(window);
  const QPointF at(random_.Below(target->width()), random_.Below(target->height()));
  const int delta = random_.Pick<int>({120, -120, 360, -15});
  const bool horizontal = random_.Chance(25);
  Note(QString("wheel %1 on %2").arg(delta).arg(Named(target)));
  QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(),
                    horizontal ? QPoint(delta, 0) : QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(target, &wheel);
}

void RandomDriver::WatchForModalWindows() {
  // Runs at the next turn of an event loop: inside the loop of a modal window
  // or menu that the action opens, or after the action otherwise.
  QTimer::singleShot(0, this, [this] {
    HandlePopup();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && !driving_.contains(modal)) DriveModal(modal);
  });
}

void RandomDriver::DriveModal(QWidget* modal) {
  driving_.insert(modal);
  QPointer<QWidget> open(modal);
  Note("inside " + Named(modal));
  // A window behind the modal one that kept the pointer would take every click.
  if (QWidget* grabber = QWidget::mouseGrabber();
      grabber != nullptr && grabber->window() != modal) {
    Fail(Named(grabber) + " holds the pointer while " + Named(modal) + " is open");
  }
  if (rig_.window->findChild<port::TracePicture*>("picVisualizer")->HasCapture()) {
    Fail("the trace holds the pointer capture while " + Named(modal) + " is open");
  }
  const int count = random_.Below(mostActionsInAModal_ + 1);
  for (int n = 0; n < count && failure_.isEmpty() && open && open->isVisible(); ++n) {
    Act(modal);
    HandlePopup();
  }
  if (open && open->isVisible()) {
    Note("close " + Named(modal));
    open->close();
  }
  driving_.remove(modal);
}

void RandomDriver::HandlePopup() {
  for (int tries = 0; tries < 4; ++tries) {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return;
    if (auto* menu = qobject_cast<QMenu*>(popup); menu != nullptr && random_.Chance(50)) {
      std::vector<QAction*> usable;
      for (QAction* action : menu->actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator()) {
          usable.push_back(action);
        }
      }
      if (!usable.empty()) {
        QAction* chosen = random_.Pick(usable);
        Note("menu item " + chosen->text());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(chosen).center());
        continue;
      }
    }
    // A drop-down list ignores the release of the click that opened it for a
    // double-click time, which never passes here: it is used from the keyboard.
    if (auto* list = popup->findChild<QAbstractItemView*>();
        list != nullptr && random_.Chance(60)) {
      const int moves = random_.Below(4);
      const Qt::Key last = random_.Chance(80) ? Qt::Key_Return : Qt::Key_Escape;
      Note(QString("drop-down: Down %1 times, then %2")
               .arg(moves)
               .arg(QKeySequence(last).toString()));
      for (int n = 0; n < moves; ++n) QTest::keyClick(list, Qt::Key_Down);
      QTest::keyClick(list, last);
      continue;
    }
    Note("dismiss " + Named(popup));
    popup->close();
  }
}

}  // namespace quorvane::testing
