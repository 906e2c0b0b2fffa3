// The desktop program's windows under a seeded stream of random input: clicks
// on every control, keys (Tab, Space, Return, Escape, arrows, accelerators),
// text of every kind typed and pasted into every box, pointer moves over the
// trace, context menus and list popups, the editor and the About window opened
// and driven the same way. Message boxes, input boxes and file dialogs are
// answered by stand-ins. Nothing may crash or hang, no action may take longer
// than its waits plus three seconds (recorded waits; wall-clock time less the time
// spent waiting for a processor), and closing the main window at the end must
// still make the shut-down writes last.
//
// QUORVANE_RANDOM_SEED=N replays seed N (a failure prints it);
// QUORVANE_RANDOM_ACTIONS=N sets the number of actions of each seed.

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "RandomDriver.h"
#include "RandomInputRig.h"
#include "ui/main/ApplicationLook.h"

namespace quorvane::testing {
namespace {

// Seeds run by default; the stream of each is fixed, so a run is repeatable.
constexpr std::uint64_t kDefaultSeeds[] = {1, 20240612};
constexpr int kDefaultActions = 1000;
// Actions taken inside a modal window before the driver closes it.
constexpr int kMostActionsInAModal = 25;

std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

}  // namespace

class RandomInputDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::ApplyApplicationLook(); }

  void WindowsSurviveRandomInput() {
    std::vector<std::uint64_t> seeds(std::begin(kDefaultSeeds), std::end(kDefaultSeeds));
    if (std::getenv("QUORVANE_RANDOM_SEED") != nullptr) {
      seeds = {EnvironmentNumber("QUORVANE_RANDOM_SEED", 0)};
    }
    const int actions =
        static_cast<int>(EnvironmentNumber("QUORVANE_RANDOM_ACTIONS", kDefaultActions));
    for (const std::uint64_t seed : seeds) {
      std::fprintf(
          stderr, "random input: seed %llu, %d actions (replay: QUORVANE_RANDOM_SEED=%llu)\n",
          static_cast<unsigned long long>(seed), actions, static_cast<unsigned long long>(seed));
      RandomInputRig rig;
      RandomDriver driver(rig, seed, kMostActionsInAModal);
      const QString failure = driver.Run(actions);
      QVERIFY2(failure.isEmpty(), qPrintable(failure));

      // Closing the main window ends the program with the shut-down writes.
      rig.window->close();
      QVERIFY2(rig.window->IsShutDown(), qPrintable(driver.Where("after closing")));
      QVERIFY2(rig.port.tail.size() >= 2, qPrintable(driver.Where("after closing")));
      const auto last = rig.port.tail.end();
      QVERIFY2((*(last - 2) == platform::PortWrite{platform::kDataRegister, 0x00}) &&
                   (*(last - 1) == platform::PortWrite{platform::kControlRegister, 0x00}),
               qPrintable(driver.Where("the shut-down writes are not the last")));
      QVERIFY(!rig.window->ImageWindow()->isVisible());
      QVERIFY(!rig.window->ModuleWindow()->isVisible());
      std::fprintf(stderr,
                   "random input: seed %llu passed, %llu port writes, %zu messages, slowest "
                   "action %lld ms (%s)\n",
                   static_cast<unsigned long long>(seed),
                   static_cast<unsigned long long>(rig.port.count), rig.messages.shown.size(),
                   static_cast<long long>(driver.SlowestMs()), qPrintable(driver.SlowestAction()));
    }
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::RandomInputDesktopTest)
#include "RandomInputDesktopTest.moc"
