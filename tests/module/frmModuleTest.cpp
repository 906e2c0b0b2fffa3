// The module window: the panel, the state line and the decoded log follow the
// module at most once a frame; and the main window shows it at start-up when
// the port is simulated.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "ModuleWire.h"
#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "RecordingSleeper.h"
#include "ScriptedCommonDialogs.h"
#include "TempFolder.h"
#include "image/ImageSurface.h"
#include "image/frmImage.h"
#include "module/ModuleFeed.h"
#include "module/PanelPicture.h"
#include "module/StateText.h"
#include "module/frmModule.h"
#include "platform/ports/SimPort.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/frmELCD.h"

using namespace quorvane;
using module::frmModule;

namespace {

QString StateOf(const module::Pcd8544& module, const module::Glass& glass = {}) {
  return QString::fromStdString(module::StateLines(module, glass));
}

QStringList LogText(const frmModule& window) {
  const QAbstractItemModel* model = window.findChild<QListView*>("lstLog")->model();
  QStringList lines;
  for (int row = 0; row < model->rowCount(); ++row) {
    lines << model->data(model->index(row, 0)).toString();
  }
  return lines;
}

bool SameDots(const module::PanelDots& a, const module::PanelDots& b) {
  return a.darkness == b.darkness;
}

// A main window on the simulated port with the emulated module behind it.
struct DesktopRig {
  explicit DesktopRig(bool withModule) {
    for (const char* name : {"0.evnt", "1.evnt", "2.evnt"}) {
      std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name,
                                 folder.Path() / name);
    }
    ui::DesktopServices services{feed, sleeper, messages, shell, dialogs, folder.Path().string()};
    if (withModule) services.module = &module;
    window = std::make_unique<ui::frmELCD>(services);
    window->Form_Load();
    window->show();
  }
  ~DesktopRig() {
    if (!window->IsShutDown()) window->close();
  }

  testing::TempFolder folder;
  platform::SimPort sim;
  module::Pcd8544 module;
  module::ModuleFeed feed{sim, module};
  testing::RecordingSleeper sleeper;
  testing::RecordingMessageBoxes messages;
  testing::RecordingShell shell;
  testing::ScriptedCommonDialogs dialogs;
  std::unique_ptr<ui::frmELCD> window;
};

}  // namespace

class frmModuleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::ApplyApplicationLook(); }

  void ShowsTheModuleAsItStandsWhenOpened() {
    module::Pcd8544 module = testing::ResetModule();
    testing::SendCommands(module, {0x21, 0xC8, 0x20, 0x09});
    platform::VirtualClock clock;
    frmModule window(module, &clock);
    window.show();
    QCOMPARE(window.objectName(), QString("frmModule"));
    QCOMPARE(window.findChild<QLabel*>("lblState")->text(), StateOf(module));
    QVERIFY(SameDots(window.findChild<module::PanelPicture*>("picPanel")->Dots(),
                     module::ShownDots(module, module::Mounting::Rotated180)));
    QCOMPARE(LogText(window).size(), 4);
    QCOMPARE(LogText(window).back(), QString("command 0x09 display control: all on"));
  }

  void ChangesWithinAFrameWaitForTheNextPicture() {
    module::Pcd8544 module = testing::ClearedModule();
    testing::SendCommands(module, {0x21, 0x13, 0x20});  // bias 3
    platform::VirtualClock clock;
    frmModule window(module, &clock);
    window.show();
    auto* state = window.findChild<QLabel*>("lblState");
    auto* timer = window.findChild<QTimer*>("tmrRefresh");
    const QString powerOn = state->text();

    testing::SendCommands(module, {0x21});  // in the same frame as the last picture
    QCOMPARE(state->text(), powerOn);
    QVERIFY(timer->isActive());
    QVERIFY(timer->interval() <= 17);
    window.CatchUp();
    QCOMPARE(state->text(), StateOf(module));
    QVERIFY(!timer->isActive());

    // A frame later the changes are shown from the port path, as soon as the
    // window looks at the clock.
    clock.Advance(frmModule::kFrameMicros);
    for (int k = 1; k < frmModule::kChangesPerLook; ++k) testing::SendData(module, {0xAA});
    QVERIFY(state->text() != StateOf(module));
    testing::SendCommands(module, {0xC4});
    QCOMPARE(state->text(), StateOf(module));
    QVERIFY(!timer->isActive());
    // A burst of writes within one frame costs no picture until it is over.
    clock.Advance(1000);
    testing::SendCommands(module, {0x20, 0x0C});
    testing::SendData(module, {0xFF, 0x0F});
    QVERIFY(state->text() != StateOf(module));
    window.CatchUp();
    QCOMPARE(state->text(), StateOf(module));
    QCOMPARE(LogText(window).back(), QString("data 0x0F at X = 16, Y = 0"));
    // 0xAA in RAM columns 0 to 14, 0xFF in 15, 0x0F in 16; turned half round.
    const module::PanelDots dots = window.findChild<module::PanelPicture*>("picPanel")->Dots();
    QCOMPARE(int(dots.At(83, 47)), 0);
    QCOMPARE(int(dots.At(83, 46)), 255);
    QCOMPARE(int(dots.At(83 - 15, 40)), 255);
    QCOMPARE(int(dots.At(83 - 16, 44)), 255);
    QCOMPARE(int(dots.At(83 - 16, 43)), 0);
  }

  void MountingTurnsThePanel() {
    module::Pcd8544 module = testing::ClearedModule();
    testing::SendCommands(module, {0x21, 0xC4, 0x13, 0x20, 0x0C});
    testing::SendData(module, {0x01});
    frmModule window(module);
    auto* mounting = window.findChild<QComboBox*>("cmbMounting");
    auto* panel = window.findChild<module::PanelPicture*>("picPanel");
    QCOMPARE(mounting->currentIndex(), 0);
    QCOMPARE(int(panel->Dots().At(83, 47)), 255);
    mounting->setCurrentIndex(1);
    QCOMPARE(window.CurrentMounting(), module::Mounting::Rotated0);
    QCOMPARE(int(panel->Dots().At(0, 0)), 255);
    QCOMPARE(int(panel->Dots().At(83, 47)), 0);
  }

  void TheLogListsTheEntriesKeptAndCanBeCleared() {
    module::Pcd8544 module;
    platform::VirtualClock clock;
    frmModule window(module, &clock);
    testing::SendCommands(module, {0x20});
    const int bytes = static_cast<int>(module::kLogCapacity) + 500;
    for (int k = 0; k < bytes; ++k) testing::SendData(module, {static_cast<std::uint8_t>(k)});
    window.CatchUp();
    const QStringList lines = LogText(window);
    QCOMPARE(lines.size(), static_cast<int>(module::kLogCapacity));
    const auto dataLine = [](int k) {
      char text[64];
      std::snprintf(text, sizeof text, "data 0x%02X at X = %d, Y = %d", k % 256, k % 84,
                    k / 84 % 6);
      return QString(text);
    };
    QCOMPARE(lines.front(), dataLine(bytes - static_cast<int>(module::kLogCapacity)));
    QCOMPARE(lines.back(), dataLine(bytes - 1));

    QTest::mouseClick(window.findChild<QPushButton*>("cmdClearLog"), Qt::LeftButton);
    QCOMPARE(LogText(window), QStringList{});
    QCOMPARE(module.Log().Total(), std::uint64_t{0});
    testing::SendCommands(module, {0x0D});
    window.CatchUp();
    QCOMPARE(LogText(window), QStringList{"command 0x0D display control: inverse video"});
  }

  void MainWindowShowsTheModuleWindowAtStartupWhenGivenAModule() {
    DesktopRig without(false);
    QVERIFY(without.window->ModuleWindow() == nullptr);

    DesktopRig rig(true);
    frmModule* window = rig.window->ModuleWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(rig.window->ImageWindow()->isVisible());
    QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(window->parent() == rig.window.get());
    rig.window->close();
    QVERIFY(!window->isVisible());
  }

  void APictureSentAfterTheDefaultInitSequenceStandsUprightOnThePanel() {
    DesktopRig rig(true);
    rig.window->cmdReset_Click();
    rig.window->cmdSendInit_Click();
    QImage picture(84, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 84; ++x) {
        if ((x < 10 && y < 20) || (x + y) % 7 == 0) picture.setPixel(x, y, qRgb(0, 0, 0));
      }
    }
    rig.window->ImageWindow()->picImage()->DrawStretched(picture);
    rig.window->cmdSendImage_Click();
    frmModule* window = rig.window->ModuleWindow();
    window->CatchUp();
    // Too dark on the default glass; black and clear on a glass with a
    // threshold of 1.44 V.
    QVERIFY(
        window->findChild<QLabel*>("lblState")->text().endsWith("too dark (bias n for 1:48 is 4)"));
    window->findChild<QDoubleSpinBox*>("spnGlassThreshold")->setValue(1.44);
    const module::PanelDots dots = window->findChild<module::PanelPicture*>("picPanel")->Dots();
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 84; ++x) {
        const bool dark = qRed(picture.pixel(x, y)) == 0;
        QCOMPARE(int(dots.At(x, y)), dark ? 255 : 0);
      }
    }
    QVERIFY(window->findChild<QLabel*>("lblState")->text().startsWith("active, inverse video"));
  }

  void TheGlassThresholdShadesThePanelAndTheStateSaysWhy() {
    module::Pcd8544 module;
    platform::VirtualClock clock;
    frmModule window(module, &clock);
    window.show();
    auto* state = window.findChild<QLabel*>("lblState");
    auto* threshold = window.findChild<QDoubleSpinBox*>("spnGlassThreshold");
    auto* panel = window.findChild<module::PanelPicture*>("picPanel");
    QCOMPARE(threshold->value(), module::kDefaultGlassThreshold);
    QCOMPARE(threshold->minimum(), module::kMinGlassThreshold);
    QCOMPARE(threshold->maximum(), module::kMaxGlassThreshold);
    QCOMPARE(threshold->suffix(), QString(" V"));
    // Power-on: nothing until a reset.
    QVERIFY(state->text().startsWith("no reset since power-on: state undefined\n"));
    testing::Feed(module, {testing::kIdle & ~module::kResetLine, testing::kIdle});
    // All on at Vop 72, bias 3: dots at 1.40 V rms, full from 1.32 V.
    testing::SendCommands(module, {0x21, 0xC8, 0x13, 0x20, 0x09});
    window.CatchUp();
    QCOMPARE(state->text(), StateOf(module));
    QCOMPARE(state->text().split('\n').size(), 3);
    QCOMPARE(state->text().split('\n')[1],
             QString("Vop = 72 (7.38 V), bias 3 (n = 4), TC 0 (not modelled)"));
    QCOMPARE(int(panel->Dots().At(10, 10)), 255);
    threshold->setValue(1.30);  // full from 1.43 V: 0.79 of black
    QCOMPARE(window.CurrentGlass().threshold, 1.30);
    QCOMPARE(int(panel->Dots().At(10, 10)), 202);
    QCOMPARE(state->text(), StateOf(module, module::Glass{1.30}));
    QVERIFY(state->text().endsWith("glass threshold 1.30 V: readable"));
    threshold->setValue(1.45);
    QCOMPARE(int(panel->Dots().At(10, 10)), 0);
    QVERIFY(state->text().endsWith("glass threshold 1.45 V: too faint"));
    // Typed beyond the range, the box keeps to it.
    threshold->setValue(9.0);
    QCOMPARE(window.CurrentGlass().threshold, module::kMaxGlassThreshold);
  }
};

QTEST_MAIN(frmModuleTest)
#include "frmModuleTest.moc"
