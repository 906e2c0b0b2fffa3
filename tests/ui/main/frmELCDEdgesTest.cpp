// The main window at its edges: value lists longer than a line edit holds by
// default, frames drawn around their controls, a desktop without a web
// browser, and the chosen event after the editor closes.

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "MainWindowRig.h"
#include "MainWindowTests.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/WebPage.h"

namespace quorvane::testing {
namespace {

// Runs the editor from the menu; while it is open, change runs inside it.
void EditWith(MainWindowRig& rig, const std::function<void()>& change) {
  QVERIFY(rig.EditEvents([&](ui::frmDefs&) { change(); }));
}

void Choose(MainWindowRig& rig, const QString& item) {
  auto* combo = rig.Find<QComboBox>("cmbEvents");
  combo->setCurrentIndex(combo->findText(item));
  emit combo->activated(combo->currentIndex());
}

}  // namespace

class frmELCDEdgesTest : public QObject {
  Q_OBJECT

 private slots:
  void ValueListBoxesHoldListsOfAnyLength() {
    MainWindowRig rig;
    // 7,000 items "200": 34,998 characters, more than a line edit's default.
    QStringList items;
    for (int n = 0; n < 7000; ++n) items << "200";
    const QString list = items.join(", ");
    QCOMPARE(list.size(), 34998);

    rig.dialogs.answers = {rig.folder.Write("long.txt", list.toStdString() + "\r\n")};
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_2"), Qt::LeftButton);
    QCOMPARE(rig.Find<QLineEdit>("txtData")->text(), list);

    auto* txtCommand = rig.Find<QLineEdit>("txtCommand");
    txtCommand->clear();
    QGuiApplication::clipboard()->setText(list);
    txtCommand->paste();
    QCOMPARE(txtCommand->text(), list);
    QTest::keyClicks(txtCommand, ", 7");
    QCOMPARE(txtCommand->text(), list + ", 7");

    // What is sent is the whole text: blanks before the last item push it past
    // the default length, where it would be cut off.
    auto* txtInit = rig.Find<QLineEdit>("txtInit");
    txtInit->setText("7," + QString(40000, ' ') + "200");
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendInit"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), (std::vector<std::string>{"c7", "c200"}));
    QVERIFY(rig.messages.shown.empty());
  }

  void ManyReportsShowTheFirstTwentyAndACount() {
    MainWindowRig rig;
    QStringList items;
    for (int n = 0; n < 31; ++n) items << "#-5";
    rig.Find<QLineEdit>("txtData")->setText(items.join(", ") + ", 1");
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const QStringList lines = rig.messages.shown[0].prompt.split('\n');
    QCOMPARE(lines.size(), 21);
    QCOMPARE(lines[0], QString("item 1, '#-5': a negative delay waits 0 ms"));
    QCOMPARE(lines[19], QString("item 20, '#-5': a negative delay waits 0 ms"));
    QCOMPARE(lines[20], QString("... and 11 more reports."));
    QCOMPARE(rig.SentBytes().back(), std::string("d1"));
  }

  void FramesDrawTheirTopLineThroughTheCaption() {
    MainWindowRig rig;
    for (const char* name : {"fmeLegend", "fmeInit", "fmeCommand", "fmeData", "fmeImage"}) {
      auto* frame = rig.Find<QGroupBox>(name);
      const QImage shown = frame->grab().toImage();
      const int captionHeight = frame->fontMetrics().height();
      const int top = captionHeight / 2;
      // A column just inside the right border, where no control lies.
      const int x = frame->width() - 3;
      const QColor inside = shown.pixelColor(x, captionHeight);
      QVERIFY2(shown.pixelColor(x, top) != inside, name);
      for (int y = top + 2; y < frame->height() - 3; ++y) {
        QVERIFY2(shown.pixelColor(x, y) == inside,
                 qPrintable(QString("%1: a line at y = %2").arg(name).arg(y)));
      }
      // The caption interrupts the top line.
      const QRect caption(8, top, frame->fontMetrics().horizontalAdvance(frame->title()), 1);
      int lineInCaption = 0;
      for (int cx = caption.left(); cx <= caption.right(); ++cx) {
        lineInCaption += shown.pixelColor(cx, top) == shown.pixelColor(x, top) ? 1 : 0;
      }
      QVERIFY2(lineInCaption < caption.width() / 2, name);
    }
    // The controls stay where the window is laid out.
    QCOMPARE(rig.Find<QWidget>("cmdSendInit")->geometry(), QRect(8, 16, 73, 21));
    QCOMPARE(rig.Find<QWidget>("txtData")->geometry(), QRect(84, 16, 217, 21));
    QCOMPARE(rig.Find<QWidget>("shpData_0")->geometry(), QRect(8, 16, 17, 13));
    QCOMPARE(rig.Find<QWidget>("chkOn")->geometry(), QRect(104, 16, 53, 17));
  }

  void WebsiteThatCannotBeOpenedShowsItsAddress() {
    MainWindowRig rig;
    QAction* web = rig.window->menuBar()->actions().at(1);
    QCOMPARE(web->text(), QString("&Website"));
    web->trigger();
    QCOMPARE(rig.shell.requests.size(), std::size_t{1});
    QVERIFY(rig.messages.shown.empty());

    rig.shell.opens = false;
    web->trigger();
    QCOMPARE(rig.shell.requests.size(), std::size_t{2});
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(rig.messages.shown[0].prompt.contains(ui::kWebPageAddress));
    QVERIFY(rig.messages.shown[0].prompt.contains("cannot be opened"));
  }

  void ChosenEventStaysChosenAfterTheEditor() {
    MainWindowRig rig(false);
    rig.folder.Write("a.evnt", "A\r\nSB, 1\r\n");
    rig.folder.Write("probe.evnt", "Probe\r\nSB, 5\r\nSB, 6\r\n");
    rig.Load();
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    Choose(rig, "probe, Probe");

    // Changed and joined by a new event while the editor is open: the list
    // still shows the event, and its new steps are what is sent.
    EditWith(rig, [&] {
      rig.folder.Write("probe.evnt", "Probe changed\r\nSB, 9\r\n");
      rig.folder.Write("0a.evnt", "First\r\nSB, 3\r\n");
    });
    QCOMPARE(combo->currentText(), QString("probe, Probe changed"));
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), std::vector<std::uint8_t>{9});

    // Emptied: nothing but the end of the event is left to run.
    EditWith(rig, [&] { rig.folder.Write("probe.evnt", "Probe\r\n"); });
    QCOMPARE(combo->currentText(), QString("probe, Probe"));
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());

    // Gone: no entry is chosen and nothing is sent.
    Choose(rig, "a, A");
    EditWith(rig, [&] { std::filesystem::remove(rig.folder.Path() / "a.evnt"); });
    QCOMPARE(combo->currentIndex(), -1);
    for (const std::string& slot : rig.window->Global().SelectedEventSteps) {
      QCOMPARE(slot, std::string());
    }
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());

    // Nothing chosen before: nothing chosen after.
    EditWith(rig, [] {});
    QCOMPARE(combo->currentIndex(), -1);
  }
};

int RunMainWindowEdgesTest(int argc, char** argv) {
  frmELCDEdgesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "frmELCDEdgesTest.moc"
