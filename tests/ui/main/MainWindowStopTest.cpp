// A stop request (SIGTERM, the terminal closed) during a list: the list ends
// between two bytes, the lamps and the trace show the last byte that went out
// and nothing that did not, and the shut-down writes follow. Its own
// executable, since a stop request cannot be taken back within a process.

#include <QLineEdit>
#include <QTest>

#include "MainWindowRig.h"
#include "platform/StopSignal.h"
#include "port/LineDisplay.h"

namespace quorvane::testing {

class MainWindowStopTest final : public QObject {
  Q_OBJECT

 private slots:
  void AStopDuringAListShowsOnlyWhatWentOut() {
    MainWindowRig rig;
    rig.Clear();
    // The stop comes during the wait after the first byte.
    rig.sleeper.onSleep = [](std::uint32_t) { platform::RequestStop(); };
    rig.Find<QLineEdit>("txtCommand")->setText("1, #5, 2");
    rig.window->cmdSendCommand_Click();
    QVERIFY(rig.window->IsShutDown());

    // One byte of 18 writes, then the shut-down writes (data 0, control 0).
    const std::vector<platform::PortWrite>& writes = rig.port.Writes();
    QCOMPARE(writes.size(), std::size_t{18 + 2});
    QCOMPARE(writes[18], (platform::PortWrite{0x378, 0}));
    QCOMPARE(writes[19], (platform::PortWrite{0x37A, 0}));
    // The trace's newest samples are the byte's writes, and the lamps its
    // last one: the next byte's first write was never shown.
    const port::LineDisplay::HistoryTable& history = rig.window->LineDisplay().LineHistory();
    for (std::size_t n = 0; n < 18; ++n) {
      std::uint8_t sample = 0;
      for (int line = 0; line < 5; ++line) {
        if (history[history.size() - 18 + n][line]) sample |= 1 << line;
      }
      QCOMPARE(sample, static_cast<std::uint8_t>(writes[n].value & 0x1F));
    }
    QCOMPARE(rig.Lamps(), QString("bddbb"));  // 0x19: SCLK, CS and RESET high
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::MainWindowStopTest)
#include "MainWindowStopTest.moc"
