// The module window: the panel, the state line and the decoded log follow the
// module at most once a frame; and the main window shows it at start-up when
// the port is simulated.

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "MainWindowRig.h"
#include "ModuleWire.h"
#include "TestPictures.h"
#include "image/ImageSurface.h"
#include "image/frmImage.h"
#include "module/DecodedLog.h"
#include "module/LogModel.h"
#include "module/PanelView.h"
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

QStringList RowTexts(const QAbstractItemModel& model) {
  QStringList lines;
  for (int row = 0; row < model.rowCount(); ++row) {
    lines << model.data(model.index(row, 0)).toString();
  }
  return lines;
}

QStringList LogText(const frmModule& window) {
  return RowTexts(*window.findChild<QListView*>("lstLog")->model());
}

bool SameDots(const module::PanelDots& a, const module::PanelDots& b) {
  return a.darkness == b.darkness;
}

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
    QVERIFY(SameDots(window.findChild<module::PanelView*>("picPanel")->Dots(),
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
    const module::PanelDots dots = window.findChild<module::PanelView*>("picPanel")->Dots();
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
    auto* panel = window.findChild<module::PanelView*>("picPanel");
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
    window.show();
    auto* list = window.findChild<QListView*>("lstLog");
    QScrollBar* scroll = list->verticalScrollBar();
    testing::SendCommands(module, {0x20});
    int bytes = 0;
    const auto send = [&](int count) {
      for (; count > 0; --count) testing::SendData(module, {static_cast<std::uint8_t>(bytes++)});
      window.CatchUp();
    };
    send(static_cast<int>(module::kLogCapacity) + 500);
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

    // Followed at its end, the log stays there as it rolls on.
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());
    send(100);
    QCOMPARE(scroll->value(), scroll->maximum());
    // Scrolled back, the entries in view stay put as the oldest go, and the
    // entry chosen stays chosen.
    list->setCurrentIndex(list->model()->index(1005, 0));
    scroll->setValue(1000);
    const QString inView = list->model()->index(1000, 0).data().toString();
    send(100);
    QCOMPARE(scroll->value(), 900);
    QCOMPARE(list->model()->index(900, 0).data().toString(), inView);
    QCOMPARE(list->selectionModel()->selectedRows(), QModelIndexList{list->model()->index(905, 0)});
    send(100);
    QCOMPARE(scroll->value(), 800);

    QTest::mouseClick(window.findChild<QPushButton*>("cmdClearLog"), Qt::LeftButton);
    QCOMPARE(LogText(window), QStringList{});
    QCOMPARE(module.Log().Total(), std::uint64_t{0});
    testing::SendCommands(module, {0x0D});
    window.CatchUp();
    QCOMPARE(LogText(window), QStringList{"command 0x0D display control: inverse video"});
  }

  // A log of four entries; each entry is a data byte numbered in the order
  // added, the clear notwithstanding. The rows the model shows, and the
  // signals of one refresh.
  void TheLogModelRemovesAndInsertsRowsAsTheLogMoves_data() {
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<int>("after");
    QTest::addColumn<QStringList>("signals");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("a few added") << 0 << false << 3 << QStringList{"inserted 0-2"}
                                 << QList<int>{0, 1, 2};
    QTest::newRow("one more") << 2 << false << 1 << QStringList{"inserted 2-2"}
                              << QList<int>{0, 1, 2};
    QTest::newRow("nothing new") << 3 << false << 0 << QStringList{} << QList<int>{0, 1, 2};
    QTest::newRow("filling up and rolling over")
        << 3 << false << 3 << QStringList{"removed 0-1", "inserted 1-3"} << QList<int>{2, 3, 4, 5};
    QTest::newRow("full and rolling over")
        << 6 << false << 1 << QStringList{"removed 0-0", "inserted 3-3"} << QList<int>{3, 4, 5, 6};
    QTest::newRow("rolled over before the first refresh")
        << 0 << false << 6 << QStringList{"inserted 0-3"} << QList<int>{2, 3, 4, 5};
    QTest::newRow("a whole log at once")
        << 4 << false << 4 << QStringList{"reset"} << QList<int>{4, 5, 6, 7};
    QTest::newRow("more than a whole log at once")
        << 2 << false << 9 << QStringList{"reset"} << QList<int>{7, 8, 9, 10};
    QTest::newRow("cleared") << 3 << true << 0 << QStringList{"reset"} << QList<int>{};
    QTest::newRow("cleared and filled past the rows shown")
        << 2 << true << 3 << QStringList{"reset"} << QList<int>{2, 3, 4};
  }
  void TheLogModelRemovesAndInsertsRowsAsTheLogMoves() {
    QFETCH(int, before);
    QFETCH(bool, cleared);
    QFETCH(int, after);
    module::DecodedLog log(4);
    int number = 0;
    const auto add = [&](int count) {
      for (int k = 0; k < count; ++k) {
        log.Add({module::LogKind::Data, static_cast<std::uint8_t>(number++)});
      }
    };
    add(before);
    module::LogModel model(log);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QStringList seen;
    const auto record = [&seen](const char* what) {
      return [&seen, what](const QModelIndex&, int first, int last) {
        seen << QString("%1 %2-%3").arg(what).arg(first).arg(last);
      };
    };
    connect(&model, &QAbstractItemModel::rowsInserted, this, record("inserted"));
    connect(&model, &QAbstractItemModel::rowsRemoved, this, record("removed"));
    connect(&model, &QAbstractItemModel::modelReset, this, [&seen] { seen << "reset"; });
    if (cleared) log.Clear();
    add(after);
    model.Refresh();
    QTEST(seen, "signals");
    QFETCH(QList<int>, rows);
    QStringList expected;
    for (const int n : rows) expected << QString::asprintf("data 0x%02X at X = 0, Y = 0", n);
    QCOMPARE(RowTexts(model), expected);
  }

  void MainWindowShowsTheModuleWindowAtStartupWhenGivenAModule() {
    testing::MainWindowRig without;
    QVERIFY(without.window->ModuleWindow() == nullptr);

    testing::MainWindowRig rig(true, true);
    frmModule* window = rig.window->ModuleWindow();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(rig.window->ImageWindow()->isVisible());
    QVERIFY(window->parent() == rig.window.get());
    // It can be closed, and Ctrl+M in the main window brings it back.
    QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
    window->close();
    QVERIFY(!window->isVisible());
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    QTest::keyClick(rig.window.get(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(window->isVisible());
    rig.window->close();
    QVERIFY(!window->isVisible());
  }

  void APictureSentAfterTheDefaultInitSequenceStandsUprightOnThePanel() {
    testing::MainWindowRig rig(true, true);
    rig.window->cmdReset_Click();
    rig.window->cmdSendInit_Click();
    const auto black = [](int x, int y) { return (x < 10 && y < 20) || (x + y) % 7 == 0; };
    rig.window->ImageWindow()->picImage()->DrawStretched(testing::BlackWhere(84, 48, black));
    rig.window->cmdSendImage_Click();
    frmModule* window = rig.window->ModuleWindow();
    window->CatchUp();
    // Too dark on the default glass, and the state says which glass reads it;
    // black and clear on a glass with a threshold of 1.44 V.
    QVERIFY(window->findChild<QLabel*>("lblState")
                ->text()
                .endsWith("too dark (bias n for 1:48 is 4); readable on glass of 1.38 to 1.50 V"));
    window->findChild<QDoubleSpinBox*>("spnGlassThreshold")->setValue(1.44);
    const module::PanelDots dots = window->findChild<module::PanelView*>("picPanel")->Dots();
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 84; ++x) QCOMPARE(int(dots.At(x, y)), black(x, y) ? 255 : 0);
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
    auto* panel = window.findChild<module::PanelView*>("picPanel");
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
    QVERIFY(state->text().endsWith("glass threshold 1.30 V: readable on glass of 1.19 to 1.30 V"));
    threshold->setValue(1.45);
    QCOMPARE(int(panel->Dots().At(10, 10)), 0);
    QVERIFY(state->text().endsWith(
        "glass threshold 1.45 V: too faint; readable on glass of 1.19 to 1.30 V"));
    // Typed beyond the range, the box keeps to it.
    threshold->setValue(9.0);
    QCOMPARE(window.CurrentGlass().threshold, module::kMaxGlassThreshold);
  }
};

QTEST_MAIN(frmModuleTest)
#include "frmModuleTest.moc"
