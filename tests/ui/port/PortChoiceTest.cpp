// Choosing the port: the ports that are found, the dialog that offers them,
// and a switch from the module window's "Port..." that takes effect at once,
// is remembered, and keeps the port when the new one cannot be opened. The
// emulated module reads the lines on every port: the same writes show the
// same panel on the simulated port and on an FTDI adapter.

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cerrno>

#include "PortRig.h"
#include "image/ImageSurface.h"
#include "image/frmImage.h"
#include "module/PanelView.h"
#include "module/frmModule.h"
#include "platform/ports/PortDiscovery.h"
#include "ui/main/ApplicationLook.h"
#include "ui/port/PortSettings.h"
#include "ui/port/frmPort.h"

using namespace quorvane;
using testing::PortRig;

class PortChoiceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::ApplyApplicationLook(); }

  void FoundPortsAreTheParallelPortsTheAdaptersAndTheSimulatedPort() {
    testing::FakePpdevSystem ppdev;
    testing::FtdiScript ftdi;
    ftdi.plugged = {{{0x0403, 0x6001}, 2}, {{0x0403, 0x6014}, 1}};
    platform::PortSystems systems{ppdev, nullptr, ftdi.Factory()};
    systems.parallelDevices = [] {
      return std::vector<std::string>{"/dev/parport0", "/dev/parport1"};
    };
    const std::vector<platform::FoundPort> found = platform::FindPorts(systems);
    QCOMPARE(found, (std::vector<platform::FoundPort>{
                        {"ppdev:/dev/parport0", "parallel port /dev/parport0"},
                        {"ppdev:/dev/parport1", "parallel port /dev/parport1"},
                        {"ftdi:0403:6001", "FTDI adapter 0403:6001"},
                        {"ftdi:0403:6001:1", "FTDI adapter 0403:6001 (number 2)"},
                        {"ftdi:0403:6014", "FTDI adapter 0403:6014"},
                        {"sim", "simulated port (nothing leaves the computer)"}}));
    // Looking opens nothing.
    for (const std::string& call : ftdi.calls) QVERIFY2(call == "free", call.c_str());
    QVERIFY(ppdev.calls.empty());

    // The dialog: the port in use is chosen; a row puts its text in the box;
    // an empty box cannot be taken.
    ui::frmPort dialog(found, "sim");
    auto* list = dialog.findChild<QListWidget*>("lstPorts");
    auto* text = dialog.findChild<QLineEdit*>("txtPort");
    auto* ok = dialog.findChild<QPushButton*>("cmdOK");
    QCOMPARE(list->currentRow(), 5);
    QCOMPARE(ui::frmPort(found, "ppdev:/dev/parport9").PortText(), QString("ppdev:/dev/parport9"));
    list->setCurrentRow(3);
    QCOMPARE(dialog.PortText(), QString("ftdi:0403:6001:1"));
    text->setText("  gpio:gpiochip0:17,27,22,23,24 ");
    QCOMPARE(dialog.PortText(), QString("gpio:gpiochip0:17,27,22,23,24"));
    QVERIFY(ok->isEnabled());
    text->clear();
    QVERIFY(!ok->isEnabled());
  }

  void PortFromTheModuleWindowTakesEffectAtOnceAndIsRemembered() {
    PortRig rig("sim", {}, true);
    module::frmModule* moduleWindow = rig.window->ModuleWindow();
    auto* state = moduleWindow->findChild<QLabel*>("lblState");
    QVERIFY(state->text().startsWith("simulated port: "));
    rig.messages.shown.clear();

    rig.chooser.answers = {"ftdi"};
    QTest::mouseClick(moduleWindow->findChild<QPushButton*>("cmdPort"), Qt::LeftButton);
    QCOMPARE(rig.chooser.asked, std::vector<std::string>{"sim"});
    QCOMPARE(rig.stack->Name(), std::string("ftdi:0403:6001"));
    QVERIFY2(state->text().startsWith("ftdi:0403:6001: "), qPrintable(state->text()));
    QCOMPARE(rig.window->findChild<QCheckBox*>("chkOn")->toolTip(),
             QString("LCD's power on/off\nPort: ftdi:0403:6001"));
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});  // what the adapter leaves out
    QVERIFY(rig.messages.shown[0].prompt.startsWith("Writing to the FTDI adapter 0403:6001"));
    QCOMPARE(ui::RememberedPort(rig.settings), std::optional<std::string>("ftdi"));
    rig.window->cmdReset_Click();
    QCOMPARE(rig.ftdi.Bytes(), (std::vector<std::uint8_t>{0x09, 0x09, 0x19}));

    // A port that cannot be opened: said, and the adapter stays.
    rig.messages.shown.clear();
    rig.ppdev.openResult = -ENOENT;
    rig.chooser.answers = {"ppdev:/dev/parport7"};
    QTest::mouseClick(moduleWindow->findChild<QPushButton*>("cmdPort"), Qt::LeftButton);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString::fromStdString("The port ppdev:/dev/parport7 cannot be opened: " +
                                    testing::MissingPpdevReason("/dev/parport7") +
                                    ".\nThe writes still go to the port ftdi:0403:6001."));
    QCOMPARE(rig.stack->Name(), std::string("ftdi:0403:6001"));
    QCOMPARE(ui::RememberedPort(rig.settings), std::optional<std::string>("ftdi"));
    // Cancelled: nothing changes.
    QTest::mouseClick(moduleWindow->findChild<QPushButton*>("cmdPort"), Qt::LeftButton);
    QCOMPARE(rig.stack->Name(), std::string("ftdi:0403:6001"));
  }

  void TheModuleShowsTheSamePanelOnEveryPort() {
    std::vector<std::uint8_t> panels[2];
    int n = 0;
    for (const char* port : {"sim", "ftdi"}) {
      PortRig rig(port, {}, true);
      rig.window->cmdReset_Click();
      rig.window->cmdSendInit_Click();
      rig.window->ImageWindow()->picImage()->Canvas().DrawPictureFile(rig.folder.Folder() +
                                                                      "images/lcd_1.bmp");
      rig.window->cmdSendImage_Click();
      module::frmModule* moduleWindow = rig.window->ModuleWindow();
      // Glass the default init sequence suits, so the picture shows.
      moduleWindow->findChild<QDoubleSpinBox*>("spnGlassThreshold")->setValue(1.44);
      moduleWindow->CatchUp();
      const module::PanelDots& dots =
          moduleWindow->findChild<module::PanelView*>("picPanel")->Dots();
      panels[n++].assign(dots.darkness.begin(), dots.darkness.end());
    }
    QCOMPARE(panels[0], panels[1]);
    QVERIFY(std::count(panels[0].begin(), panels[0].end(), 0) > 100);  // the picture, not all dark
  }
};

QTEST_MAIN(PortChoiceTest)
#include "PortChoiceTest.moc"
