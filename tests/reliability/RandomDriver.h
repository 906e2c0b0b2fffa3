#pragma once
// Drives the windows of a RandomInputRig with a seeded stream of random
// actions, as a person with mouse and keyboard would: a modal window that an
// action opens is driven in turn from inside its own event loop and then
// closed; a popup (a list's drop-down, a context menu) is used or dismissed.
// Each action is timed; a watchdog thread ends the process with the seed when
// an action hangs.

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "RandomInput.h"

class QWidget;

namespace quorvane::testing {

class RandomInputRig;

class RandomDriver final : public QObject {
  Q_OBJECT

 public:
  RandomDriver(RandomInputRig& rig, std::uint64_t seed, int mostActionsInAModal);
  ~RandomDriver() override;

  // Runs the actions on the main window and the windows beside it; the
  // failure, with the seed and the last actions, or an empty text.
  QString Run(int actions);
  // The seed, the action and the last actions, for a failure message.
  QString Where(const QString& what) const;
  qint64 SlowestMs() const { return slowestMs_; }
  const QString& SlowestAction() const { return slowest_; }

 private:
  // One timed action on window (a top-level window or an open modal one).
  void Act(QWidget* window);
  // Checks one action's time against its waits, and notes the progress.
  void Check(qint64 elapsedMs, std::uint64_t waitedMs);
  void Keystroke(const std::function<void()>& press);
  void Perform(QWidget* window);
  void Click(QWidget* window);
  void PressKey(QWidget* window);
  void TypeText(QWidget* window);
  void MovePointer(QWidget* window);
  void OpenContextMenu(QWidget* window);
  void Wheel(QWidget* window);
  // After every action: a modal window it opened is driven and closed, a
  // popup it opened is used or dismissed.
  void WatchForModalWindows();
  void DriveModal(QWidget* modal);
  void HandlePopup();
  QWidget* AnyControl(QWidget* window);
  void Note(const QString& action);
  void Fail(const QString& what);
  void Watchdog();

  RandomInputRig& rig_;
  const std::uint64_t seed_;
  const int mostActionsInAModal_;
  RandomInput random_;
  int action_ = 0;
  std::deque<QString> recent_;
  QSet<QWidget*> driving_;
  // Milliseconds spent in actions nested in the running ones, per level.
  std::vector<qint64> nested_;
  qint64 slowestMs_ = 0;
  QString slowest_;
  std::uint64_t waitedMs_ = 0;
  QString failure_;

  // The watchdog reads these from its own thread.
  std::atomic<qint64> lastProgressMs_{0};
  std::atomic<bool> done_{false};
  std::mutex watchdogMutex_;
  std::condition_variable watchdogWake_;
  mutable std::mutex noteMutex_;
  std::string lastNote_;
  std::thread watchdog_;
};

}  // namespace quorvane::testing
