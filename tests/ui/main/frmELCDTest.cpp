// The main window on the offscreen platform: start-up and shut-down writes,
// the send frames through the shipped standard events, the event list, the
// delay box, the "..." loaders, the power switch, and the captions.

#include <QtTest/qtestspontaneevent.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "CaptionFit.h"
#include "MainWindowRig.h"
#include "MainWindowTests.h"
#include "image/frmImage.h"
#include "platform/StopSignal.h"
#include "port/LineDisplay.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/ApplicationLook.h"

using quorvane::platform::PortWrite;
using quorvane::testing::MainWindowRig;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

class frmELCDTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::ApplyApplicationLook(); }

  void StartupWritesInOrder() {
    MainWindowRig rig(false);
    QVERIFY(rig.port.Writes().empty());
    rig.Load();
    QCOMPARE(rig.sleeper.requests, std::vector<std::uint32_t>{500});
    QCOMPARE(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x10}, {0x37A, 0xFF}}));
    QCOMPARE(rig.Lamps(), QString("ddddb"));
    QVERIFY(rig.Find<QCheckBox>("chkOn")->isChecked());
    QCOMPARE(rig.window->ImageThreshold(), 8389000);
    QCOMPARE(rig.Find<QScrollBar>("scrSoglia")->value(), 8389);
    QCOMPARE(rig.window->DataDelay(), std::int16_t{10});
    QCOMPARE(rig.window->Global().DataEventSteps[1], std::string("TX, 20,SL,DH,"));
    QCOMPARE(rig.window->Global().SelectedEventSteps[0], std::string(""));
    QVERIFY(rig.window->ImageWindow()->isVisible());
    QCOMPARE(rig.window->windowTitle(), QString("Quorvane 0.9"));
    QVERIFY(rig.Find<QPushButton>("cmdSendInit")->hasFocus() ||
            rig.window->focusWidget() == rig.Find<QPushButton>("cmdSendInit"));
  }

  void ShutdownWritesOnClose() {
    MainWindowRig rig;
    rig.Clear();
    const auto historyBefore = rig.window->LineDisplay().LineHistory();
    rig.window->close();
    QCOMPARE(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x00}, {0x37A, 0x00}}));
    QVERIFY(rig.window->LineDisplay().LineHistory() == historyBefore);
    QVERIFY(!rig.window->ImageWindow()->isVisible());
  }

  void SendButtonsUseTheStandardEvents() {
    MainWindowRig rig;
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendCommand"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), (Names{"c33", "c255", "c6", "c19", "c32", "c12"}));
    QVERIFY(rig.sleeper.requests.empty());

    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), (Names{"d33", "d197", "d6", "d19", "d32", "d12"}));

    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendInit"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), (Names{"c33", "c200", "c5", "c21", "c32", "c9", "c8", "c13"}));
    QCOMPARE(rig.sleeper.requests, (std::vector<std::uint32_t>{500, 500}));

    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdReset"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), (Bytes{0x09, 0x09, 0x19}));
    QCOMPARE(rig.sleeper.requests, std::vector<std::uint32_t>{10});

    rig.Clear();
    rig.Find<QLineEdit>("txtCommand")->setText("");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendCommand"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());
    QVERIFY(rig.messages.shown.empty());
  }

  void DisplayFollowsEveryDisplayedWrite() {
    MainWindowRig rig;
    QTest::mouseClick(rig.Find<QPushButton>("cmdReset"), Qt::LeftButton);
    const auto& history = rig.window->LineDisplay().LineHistory();
    // Start-up 0x10, then the reset event 0x09, 0x09, 0x19.
    const Bytes expected = {0x10, 0x09, 0x09, 0x19};
    for (std::size_t k = 0; k < expected.size(); ++k) {
      for (int n = 0; n < 5; ++n) {
        QCOMPARE(history[96 + k][n], ((expected[k] >> n) & 1) != 0);
      }
    }
    QCOMPARE(rig.Lamps(), QString("bddbb"));
  }

  void ReportsAreShownOnceAfterTheSend() {
    MainWindowRig rig;
    rig.Clear();
    rig.Find<QLineEdit>("txtData")->setText("1, 256");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(rig.messages.shown[0].prompt.contains("item 2, '256': not a byte (0 to 255)"));

    rig.Find<QLineEdit>("txtData")->setText("1, #-5, 2");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QCOMPARE(rig.SentBytes(), (Names{"d1", "d2"}));
  }

  void PowerSwitchAndDoZero() {
    MainWindowRig rig;
    rig.Clear();
    auto* chkOn = rig.Find<QCheckBox>("chkOn");
    QTest::mouseClick(chkOn, Qt::LeftButton);  // off
    QCOMPARE(rig.port.Writes(), (std::vector<PortWrite>{{0x37A, 0xFF}, {0x378, 0x00}}));
    QCOMPARE(rig.Lamps(), QString("ddddb"));  // the lamps keep the state before
    QCOMPARE(rig.window->Global().OutputByte, std::uint8_t{0});

    rig.Clear();
    QTest::mouseClick(chkOn, Qt::LeftButton);  // on
    QCOMPARE(rig.port.Writes(),
             (std::vector<PortWrite>{{0x37A, 0x00}, {0x378, 0xEF}, {0x378, 0xFF}}));
    QCOMPARE(rig.sleeper.requests, (std::vector<std::uint32_t>{50, 500}));
    QCOMPARE(rig.Lamps(), QString("bbbbb"));

    rig.Clear();
    chkOn->setChecked(false);  // set by the program: nothing runs
    QVERIFY(rig.port.Writes().empty());

    QTest::mouseClick(rig.Find<QPushButton>("cmdZero"), Qt::LeftButton);
    QCOMPARE(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x00}}));
    QCOMPARE(rig.Lamps(), QString("ddddd"));
  }

  void EventListIsAPickListOfTheUsersEvents() {
    MainWindowRig rig(false);
    rig.folder.Write("probe.evnt", "Probe, lines\r\nSB, 5\r\nSB, 6\r\n");
    rig.folder.Write("zeta.evnt", "Last\r\nSB, 7\r\n");
    rig.Load();
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QString("probe, Probe"));
    QCOMPARE(combo->itemText(1), QString("zeta, Last"));
    QCOMPARE(combo->currentIndex(), -1);

    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());  // nothing chosen yet: every slot is empty

    QTest::keyClicks(combo, "z");
    QCOMPARE(combo->currentIndex(), -1);  // typed characters are discarded

    combo->setCurrentIndex(0);
    emit combo->activated(0);
    rig.folder.Write("probe.evnt", "Changed\r\nSB, 9\r\n");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), (Bytes{5, 6}));  // the steps read when the entry was chosen
  }

  void DelayBoxKeepsDataDelay() {
    MainWindowRig rig;
    auto* box = rig.Find<QLineEdit>("txtDelay");
    const std::pair<const char*, int> cases[] = {{"10", 10},        {"abc", 0},  {"2.5", 2},
                                                 {"3.5", 4},        {"7 mS", 7}, {"40000", 7},
                                                 {"-32768", -32768}};
    for (const auto& [text, expected] : cases) {
      box->setText(text);
      QCOMPARE(rig.window->DataDelay(), std::int16_t(expected));
    }
  }

  void LoadersPutTheFirstLineIntoTheirBox() {
    MainWindowRig rig;
    const std::string list = rig.folder.Write("list.txt", "1, 2, 3\r\nsecond line\r\n");
    const std::string lfList = rig.folder.Write("lf.txt", "7, 8\nmore\n");
    const std::string empty = rig.folder.Write("empty.txt", "");
    auto* txtInit = rig.Find<QLineEdit>("txtInit");
    auto* txtData = rig.Find<QLineEdit>("txtData");

    rig.dialogs.answers = {list, lfList, "", empty, rig.folder.File("missing.txt")};
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_0"), Qt::LeftButton);
    QCOMPARE(txtInit->text(), QString("1, 2, 3"));
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_2"), Qt::LeftButton);
    QCOMPARE(txtData->text(), QString("7, 8"));
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_2"), Qt::LeftButton);  // cancelled
    QCOMPARE(txtData->text(), QString("7, 8"));
    QVERIFY(rig.messages.shown.empty());
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_2"), Qt::LeftButton);  // empty file
    QCOMPARE(txtData->text(), QString("7, 8"));
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(rig.messages.shown[0].prompt.contains("empty.txt"));
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_1"), Qt::LeftButton);  // missing file
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QVERIFY(rig.messages.shown[1].prompt.contains("cannot be opened"));
    QCOMPARE(rig.Find<QLineEdit>("txtCommand")->text(), QString("33, 255, 6, 19, 32, 12"));
    QCOMPARE(rig.dialogs.calls, 5);
    QVERIFY(rig.port.Writes().size() == 2);  // loading sends nothing
  }

  void ImageWindowRefusesTheUsersClose() {
    MainWindowRig rig;
    auto* image = rig.window->ImageWindow();
    QVERIFY(!(image->windowFlags() & Qt::WindowCloseButtonHint));
    // A close asked for by the user arrives at the window spontaneously.
    QCloseEvent userClose;
    QSpontaneKeyEvent::setSpontaneous(&userClose);
    QCoreApplication::sendEvent(image->windowHandle(), &userClose);
    QVERIFY(image->isVisible());
    // The same close shuts a window that kept its close item.
    QWidget plain;
    plain.show();
    QCloseEvent plainClose;
    QSpontaneKeyEvent::setSpontaneous(&plainClose);
    QCoreApplication::sendEvent(plain.windowHandle(), &plainClose);
    QVERIFY(!plain.isVisible());
    QCOMPARE(image->windowTitle(), QString("Image"));
  }

  void StopRequestShutsDownDuringASend() {
    MainWindowRig rig;
    rig.Clear();
    // A stop (SIGINT, SIGTERM) arrives during the first "#500" of the init sequence.
    rig.sleeper.onSleep = [](std::uint32_t) { throw quorvane::platform::StopRequest(); };
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendInit"), Qt::LeftButton);
    QVERIFY(rig.window->IsShutDown());
    const auto& writes = rig.port.Writes();
    QCOMPARE(writes.size(), std::size_t{6 * 18 + 2});  // six bytes, then the shut-down writes
    QCOMPARE(writes[writes.size() - 2], (PortWrite{0x378, 0x00}));
    QCOMPARE(writes.back(), (PortWrite{0x37A, 0x00}));
    QVERIFY(!rig.window->isVisible());
  }

  void ClosingTheEditorReloadsTheStandardEvents() {
    MainWindowRig rig;
    rig.folder.Write("mine.evnt", "Mine\r\nSB, 3\r\n");
    // The editor is modal: it is driven from inside its own event loop.
    const bool edited = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      auto* combo = editor.findChild<QComboBox*>("cmbEvents");
      const int command = combo->findText("1, ", Qt::MatchStartsWith);
      combo->setCurrentIndex(command);
      editor.cmbEvents_Click();
      auto* list = editor.findChild<QListWidget*>("lstEvents");
      QCOMPARE(list->count(), 3);
      list->setCurrentRow(0);  // "SB, 25" before the byte goes
      editor.cmdDel_Click();
      editor.cmdSave_Click();
    });
    QVERIFY(edited);
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.folder.Read("1.evnt").substr(rig.folder.Read("1.evnt").find("\r\n")),
             std::string("\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
    QCOMPARE(rig.Find<QComboBox>("cmbEvents")->count(), 1);  // "mine" is listed now

    rig.Clear();
    rig.Find<QLineEdit>("txtCommand")->setText("33");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendCommand"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites().size(), std::size_t{17});  // one "SB" step fewer per byte
    QCOMPARE(rig.SentBytes(0x19), Names{"c33"});
  }

  void WindowLayoutAndCaptionsFit() {
    MainWindowRig rig;
    QCOMPARE(rig.window->centralWidget()->size(), QSize(512, 381));
    QVERIFY(!(rig.window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(rig.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(rig.window->minimumSize(), rig.window->maximumSize());
    QStringList menu;
    for (QAction* action : rig.window->menuBar()->actions()) {
      menu << action->text();
      QVERIFY(action->menu() == nullptr);
    }
    QCOMPARE(menu, (QStringList{"&Definitions", "&Website", "&?"}));
    QCOMPARE(rig.Find<QLineEdit>("txtInit")->text(),
             QString("33, 200, 5, 21, 32, 9, #500, 8, #500, 13"));
    QCOMPARE(rig.Find<QWidget>("picVisualizer")->geometry(), QRect(40, 196, 465, 181));
    QCOMPARE(rig.Find<QWidget>("fmeImage")->geometry(), QRect(176, 148, 329, 45));
    QCOMPARE(rig.Find<QPushButton>("cmdSendImage")->toolTip(),
             QString("This features is only for test and it is not programmable yet."));

    // No caption is wider than its control.
    const QStringList problems = quorvane::testing::CaptionsThatDoNotFit(*rig.window);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }
};

namespace quorvane::testing {

int RunMainWindowTest(int argc, char** argv) {
  frmELCDTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "frmELCDTest.moc"
