// The main window on hardware that fails mid-send: one box names the port, the
// reason, what was sent and how far it got; the lamps and trace show the last
// byte that went out; the next action opens the port again first and sends
// nothing when it cannot; the shut-down writes are tried without a word. Also
// the trace that stops, and where the simulated port is named.

#include <QCheckBox>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "CsvTrace.h"
#include "PortRig.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "port/LineDisplay.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/frmELCD.h"
#include "ui/port/PortSettings.h"

namespace {

using namespace quorvane;
using Icon = platform::MessageBoxes::Icon;

using testing::PortRig;

}  // namespace

class PortFailureWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::ApplyApplicationLook(); }

  void AFailedWriteIsSaidOnceAndTheLinesShowWhatWentOut() {
    if (!testing::kPpdevHere) QSKIP("written around the ppdev stand-in; ppdev is Linux's");
    PortRig rig("ppdev");
    QVERIFY(rig.messages.shown.empty());
    rig.ppdev.calls.clear();
    // The default command list is six bytes of 18 writes; its 17th write fails.
    rig.ppdev.failingWrite = rig.ppdev.registerWrites + 17;
    rig.window->cmdSendCommand_Click();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("The port ppdev:/dev/parport0 failed after 16 of 108 writes of the command "
                     "list: ppdev: Input/output error."));
    QCOMPARE(rig.messages.shown[0].icon, Icon::Critical);
    const std::vector<int> written = rig.ppdev.DataWrites();
    QCOMPARE(written.size(), std::size_t{17});  // nothing after the failed write
    // The trace ends with the 16 bytes that went out, the lamps show the last.
    const auto& history = rig.window->LineDisplay().LineHistory();
    for (int i = 0; i < 16; ++i) {
      const auto& sample = history[port::LineDisplay::kSamples - 16 + i];
      for (int n = 0; n < 5; ++n) QCOMPARE(sample[n], ((written[i] >> n) & 1) != 0);
    }
    QCOMPARE(rig.Lamps(), testing::LampsOf(written[15]));

    // The next send opens the port again, says nothing more and sends it all.
    rig.ppdev.calls.clear();
    rig.window->cmdSendCommand_Click();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const std::vector<std::string> reopened(rig.ppdev.calls.begin(), rig.ppdev.calls.begin() + 6);
    QCOMPARE(reopened, (std::vector<std::string>{"ioctl 7 PPRELEASE", "close 7",
                                                 "open /dev/parport0", "ioctl 7 PPEXCL",
                                                 "ioctl 7 PPCLAIM", "ioctl 7 PPDATADIR 0"}));
    QCOMPARE(rig.ppdev.DataWrites().size(), std::size_t{108});
  }

  void APortThatCannotBeOpenedAgainSendsNothing() {
    if (!testing::kPpdevHere) QSKIP("written around the ppdev stand-in; ppdev is Linux's");
    PortRig rig("ppdev");
    rig.ppdev.failingWrite = rig.ppdev.registerWrites + 1;
    rig.window->cmdZero_Click();
    QCOMPARE(rig.messages.shown.back().prompt,
             QString("The port ppdev:/dev/parport0 failed after 0 of 1 write of Do 0: ppdev: "
                     "Input/output error."));
    rig.ppdev.openResult = -ENOENT;
    rig.ppdev.calls.clear();
    rig.window->cmdReset_Click();
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QCOMPARE(rig.messages.shown[1].prompt,
             QString("The port ppdev:/dev/parport0 cannot be opened again: no parallel port at "
                     "/dev/parport0. Nothing was sent."));
    QVERIFY(rig.ppdev.DataWrites().empty());
    rig.window->cmdMulti_Click();  // the series too
    QCOMPARE(rig.messages.shown.size(), std::size_t{3});
    QCOMPARE(rig.messages.beeps, 0);
    QVERIFY(rig.ppdev.DataWrites().empty());
    // The power box keeps showing the power as it was.
    QCheckBox* chkOn = rig.window->findChild<QCheckBox*>("chkOn");
    chkOn->click();
    QVERIFY(chkOn->isChecked());
    QCOMPARE(rig.messages.shown.size(), std::size_t{4});
    QCOMPARE(std::count(rig.ppdev.calls.begin(), rig.ppdev.calls.end(), "open /dev/parport0"), 3);
    QVERIFY(rig.ppdev.DataWrites().empty());

    // Closing tries once more, without a word: still gone, so nothing is written.
    rig.ppdev.calls.clear();
    rig.window->close();
    QCOMPARE(rig.messages.shown.size(), std::size_t{4});
    QCOMPARE(rig.ppdev.calls, (std::vector<std::string>{"open /dev/parport0"}));
  }

  void TheShutDownWritesGoToAPortThatIsBack() {
    if (!testing::kPpdevHere) QSKIP("written around the ppdev stand-in; ppdev is Linux's");
    PortRig rig("ppdev");
    rig.ppdev.failingWrite = rig.ppdev.registerWrites + 1;
    rig.window->cmdZero_Click();
    rig.ppdev.calls.clear();
    rig.window->close();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.ppdev.calls,
             (std::vector<std::string>{"ioctl 7 PPRELEASE", "close 7", "open /dev/parport0",
                                       "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM", "ioctl 7 PPDATADIR 0",
                                       "ioctl 7 PPWDATA 0x00", "ioctl 7 PPWCONTROL 0x00"}));
  }

  void APowerSequenceStopsBeforeItsWaits() {
    if (!testing::kPpdevHere) QSKIP("written around the ppdev stand-in; ppdev is Linux's");
    PortRig rig("ppdev");
    QCheckBox* chkOn = rig.window->findChild<QCheckBox*>("chkOn");
    chkOn->click();  // off
    rig.sleeper.requests.clear();
    rig.ppdev.failingWrite = rig.ppdev.registerWrites + 2;  // the RESET pulse
    chkOn->click();                                         // on
    QCOMPARE(rig.sleeper.requests, (std::vector<std::uint32_t>{50}));
    QCOMPARE(rig.messages.shown.back().prompt,
             QString("The port ppdev:/dev/parport0 failed after 1 of 3 writes of the power-on "
                     "sequence: ppdev: Input/output error."));
  }

  void APictureSeriesEndsAtTheFailedWrite() {
    if (!testing::kPpdevHere) QSKIP("written around the ppdev stand-in; ppdev is Linux's");
    PortRig rig("ppdev");
    rig.ppdev.calls.clear();
    rig.ppdev.failingWrite = rig.ppdev.registerWrites + 504 * 18 + 50;
    rig.window->cmdMulti_Click();
    QCOMPARE(rig.ppdev.DataWrites().size(), std::size_t{504 * 18 + 50});
    QCOMPARE(rig.messages.beeps, 1);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("The port ppdev:/dev/parport0 failed after 9,121 writes of the picture "
                     "series: ppdev: Input/output error."));
  }

  // Start-up's control-register write has no pin on the adapter, but it is
  // lost with the byte before it: neither counts as sent, and the lamps take
  // back the byte that never reached the pins.
  void AnAdapterThatFailsAtStartUpTakesBackWhatNeverReachedIt() {
    PortRig rig("ftdi", {}, false, 1);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("The port ftdi:0403:6001 failed after 0 of 2 writes of the start-up: "
                     "the adapter was unplugged."));
    QCOMPARE(rig.Lamps(), QString("ddddd"));
  }

  void AnUnpluggedAdapterSaysHowFarThePictureGot() {
    PortRig rig("ftdi");
    // The picture goes out in transfers of 4096 bytes; the first goes out
    // whole, then the adapter is gone, and none of the second counts as sent.
    rig.ftdi.failingWrite = rig.ftdi.writesMade + 2;
    rig.window->cmdSendImage_Click();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("The port ftdi:0403:6001 failed after 4,096 of 9,072 writes of the picture: "
                     "the adapter was unplugged."));
  }

  // An adapter that holds writes until a flush (FTDI) shows on its pins, at
  // the end of every handler, what the program wrote: nothing stays held
  // while the program waits for the user, from the start-up byte on.
  void TheAdaptersPinsShowEveryByteOnceAHandlerHasRun() {
    testing::TempFolder traces;
    PortRig rig("ftdi", traces.File("t.csv"));
    // The start-up writes 0x10 (the control register has no pins): one
    // transfer, before the window takes input.
    QCOMPARE(rig.ftdi.writes, (std::vector<std::vector<std::uint8_t>>{{0x10}}));
    QCOMPARE(rig.Lamps(), testing::LampsOf(0x10));
    QCheckBox* chkOn = rig.window->findChild<QCheckBox*>("chkOn");
    const std::pair<const char*, std::function<void()>> handlers[] = {
        {"command", [&] { rig.window->cmdSendCommand_Click(); }},
        {"data", [&] { rig.window->cmdSendData_Click(); }},
        {"init", [&] { rig.window->cmdSendInit_Click(); }},
        {"reset", [&] { rig.window->cmdReset_Click(); }},
        {"power off", [&] { chkOn->click(); }},
        {"power on", [&] { chkOn->click(); }},
        {"Do 0", [&] { rig.window->cmdZero_Click(); }},
        {"picture", [&] { rig.window->cmdSendImage_Click(); }},
        {"series", [&] { rig.window->cmdMulti_Click(); }},
        {"close", [&] { rig.window->close(); }},
    };
    for (const auto& [name, handler] : handlers) {
      handler();
      // Every data-register byte of the trace has reached the adapter, in
      // order, and the last is the byte the program holds.
      QVERIFY2(rig.ftdi.Bytes() == testing::DataValues(traces.Read("t.csv")), name);
      // The shut-down's data write leaves the program's byte as it was.
      const std::uint8_t held = rig.window->IsShutDown() ? 0x00 : rig.window->Global().OutputByte;
      QVERIFY2(rig.ftdi.Bytes().back() == held, name);
    }
    QVERIFY(rig.messages.shown.empty());
  }

  void ATraceThatCannotBeWrittenIsSaidOnce() {
    if (!std::filesystem::exists("/dev/full")) QSKIP("no /dev/full here");
    testing::TempFolder traces;
    std::filesystem::create_symlink("/dev/full", traces.Path() / "full.vcd");
    PortRig rig("sim", traces.File("full.vcd"));
    // Said at start-up, whose writes were the first it could not hold.
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString::fromStdString("The trace stopped at write 1: the trace file '" +
                                    traces.File("full.vcd") +
                                    "' could not be written (No space left on device). The port "
                                    "writes go on without it."));
    rig.window->cmdSendData_Click();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
  }

  void TheSimulatedPortIsNamedWhereItStaysInView() {
    PortRig rig("sim", {}, true);
    QCOMPARE(rig.window->findChild<QCheckBox*>("chkOn")->toolTip(),
             QString("LCD's power on/off\nPort: simulated port"));
    QVERIFY(rig.window->ModuleWindow() != nullptr);
    const QString state = rig.window->ModuleWindow()->findChild<QLabel*>("lblState")->text();
    QVERIFY2(state.startsWith("simulated port: "), qPrintable(state));
  }

  void TheSimulatedPortNoticeIsABoxOncePerPortChoice() {
    testing::TempFolder folder;
    QSettings settings(QString::fromStdString(folder.File("settings.ini")), QSettings::IniFormat);
    const std::string notice =
        "No parallel port could be used (no parallel port at /dev/parport0); port writes go to "
        "the simulated port.";
    QVERIFY(ui::TakeSimulatedPortNotice(settings, "auto", notice));
    QVERIFY(!ui::TakeSimulatedPortNotice(settings, "auto", notice));
    // Another reason is news again; another port choice has its own setting.
    QVERIFY(ui::TakeSimulatedPortNotice(settings, "auto", "No parallel port could be used (x)."));
    QVERIFY(ui::TakeSimulatedPortNotice(settings, "ppdev:/dev/parport1", notice));
    QVERIFY(!ui::TakeSimulatedPortNotice(settings, "ppdev:/dev/parport1", notice));
    // Remembered across program runs.
    QSettings again(QString::fromStdString(folder.File("settings.ini")), QSettings::IniFormat);
    QVERIFY(!ui::TakeSimulatedPortNotice(again, "ppdev:/dev/parport1", notice));
  }
};

QTEST_MAIN(PortFailureWindowTest)
#include "PortFailureWindowTest.moc"
