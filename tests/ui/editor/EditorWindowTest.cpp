// The event editor window: its controls, the catalogue, loading an event,
// the step list's operations, edit mode, the readout of a selected line, the
// step builders and the pair rule.

#include <QLabel>
#include <QTest>
#include <filesystem>

#include "EditorRig.h"
#include "EditorTests.h"
#include "StandardEvents.h"

namespace quorvane::testing {
namespace {

const QStringList kFiveLines = {"SB, 21", "DL, 5", "DL, 10", "TX, 4,SL,DH,", "SB, 0"};

// Check states of a control array as a bit mask, index = bit.
int Checked(const EditorRig& rig, const QString& array, int first, int last) {
  int mask = 0;
  for (int n = first; n <= last; ++n) {
    if (rig.Check(QString("%1_%2").arg(array).arg(n))->isChecked()) mask |= 1 << n;
  }
  return mask;
}

void SetChecked(const EditorRig& rig, const QString& array, int first, int last, int mask) {
  for (int n = first; n <= last; ++n) {
    rig.Check(QString("%1_%2").arg(array).arg(n))->setChecked((mask >> n) & 1);
  }
}

}  // namespace

class EditorWindowTest final : public QObject {
  Q_OBJECT

 private slots:
  void WindowIsAFixedDialogWithOnlyACloseBox() {
    EditorRig rig;
    ui::frmDefs& window = rig.Open();
    QCOMPARE(window.windowTitle(), QString(" Definitions of events"));
    QCOMPARE(window.size(), QSize(447, 330));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.isModal());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY2(window.isVisible(), "only the close box closes the editor");
  }

  void Controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QRect>("place");
    const auto row = [](const char* name, const char* parent, const char* caption,
                        const char* tooltip, QRect place) {
      QTest::newRow(name) << name << parent << caption << tooltip << place;
    };
    row("Label1", "frmDefs", "Event", "", {4, 4, 93, 13});
    row("cmbEvents", "frmDefs", "", "", {4, 20, 229, 21});
    row("lstEvents", "frmDefs", "", "Event's list. Double click to edit line.", {4, 44, 193, 251});
    row("cmdEdit", "frmDefs", "Edit", "Edit line under cursor position", {200, 48, 33, 21});
    row("cmdAdd", "frmDefs", "+", "Add blank line at cursor position", {200, 72, 33, 21});
    row("cmdDel", "frmDefs", "-", "Remove line under cursor", {200, 96, 33, 21});
    row("cmdSave", "frmDefs", "Save event", "Save this list of events", {4, 300, 109, 25});
    row("cmdSaveNew", "frmDefs", "Save as new event", "Save this list of events in a new file",
        {120, 300, 109, 25});
    row("fmeBits", "frmDefs", " Data bits (checked=1 unchecked=0)", "", {236, 16, 205, 81});
    row("fmeDelay", "frmDefs", " Delay ", "", {236, 96, 205, 53});
    row("fmeTx", "frmDefs", " Transmit Byte ", "", {236, 152, 205, 177});
    row("cmdAddBits", "fmeBits", "<<", "Add or edit Static Data Bits", {4, 36, 25, 21});
    row("chkBits_0", "fmeBits", "SCLK", "", {60, 20, 65, 17});
    row("chkBits_1", "fmeBits", "SDA", "", {60, 40, 65, 17});
    row("chkBits_2", "fmeBits", "D/C", "", {60, 60, 65, 17});
    row("chkBits_3", "fmeBits", "CS", "", {128, 20, 65, 17});
    row("chkBits_4", "fmeBits", "RESET", "", {128, 40, 65, 17});
    row("cmdAddDelay", "fmeDelay", "<<", "Add or edit Delay time", {4, 20, 25, 21});
    row("Label2", "fmeDelay", "Delay time (mS)", "", {64, 24, 77, 13});
    row("txtDelay", "fmeDelay", "10", "", {144, 20, 53, 21});
    row("cmdAddTx", "fmeTx", "<<", "Add or edit Transmission protocol", {4, 72, 25, 21});
    row("chkTx_2", "fmeTx", "D/C", "", {32, 16, 57, 17});
    row("chkTx_3", "fmeTx", "CS", "", {92, 16, 45, 17});
    row("chkTx_4", "fmeTx", "RESET", "", {140, 16, 61, 17});
    row("Line1", "fmeTx", "", "", {32, 36, 165, 2});
    row("Label3", "fmeTx", "SCLK transition", "", {32, 40, 121, 13});
    row("chkSCLK_0", "fmeTx", "High > Low", "", {32, 60, 89, 17});
    row("chkSCLK_1", "fmeTx", "Low > High", "", {124, 60, 77, 17});
    row("Line2", "fmeTx", "", "", {32, 80, 165, 2});
    row("Label4", "fmeTx", "DATA direction", "", {32, 88, 121, 13});
    row("chkData_0", "fmeTx", "MSB > LSB", "", {32, 108, 89, 17});
    row("chkData_1", "fmeTx", "LSB > MSB", "", {124, 108, 77, 17});
    row("Line3", "fmeTx", "", "", {32, 128, 165, 2});
    row("Label5", "fmeTx", "Value to transmit", "", {32, 136, 121, 13});
    row("txtValue", "fmeTx", "", "", {32, 152, 41, 21});
    row("Label6", "fmeTx", "blank for normal def", "", {76, 156, 121, 13});
  }
  void Controls() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QRect, place);
    EditorRig rig;
    rig.Open();
    const auto* control = rig.Find<QWidget>(name);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    const char* property = qobject_cast<const QGroupBox*>(control) ? "title" : "text";
    QCOMPARE(control->property(property).toString(), caption);
    QCOMPARE(control->toolTip(), tooltip);
    QCOMPARE(control->geometry(), place);
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) QVERIFY(!box->isChecked());
  }

  void OpeningListsEveryEventAndChoosesNone() {
    EditorRig rig;
    rig.WriteEvent("0", "Reset, slow");
    rig.WriteEvent("1", "Send command");
    rig.WriteEvent("2", "Send data");
    rig.WriteEvent("5", "Five", {"SB, 1"});
    rig.Open();
    QStringList items;
    for (int index = 0; index < rig.Combo()->count(); ++index)
      items << rig.Combo()->itemText(index);
    QCOMPARE(items, QStringList({"0, Reset", "1, Send command", "2, Send data", "5, Five"}));
    QCOMPARE(rig.Combo()->currentText(), QString());
    QCOMPARE(rig.List()->count(), 0);
    QVERIFY(!rig.InEditMode());
    QCOMPARE(rig.LitFrames(), QString());
  }

  void ShippedStandardEventsAreListed() {
    EditorRig rig;
    testing::CopyStandardEvents(rig.folder);
    rig.Open();
    QCOMPARE(rig.Combo()->count(), 3);
    for (int index = 0; index < 3; ++index) {
      QVERIFY(rig.Combo()->itemText(index).startsWith(QString("%1, ").arg(index)));
    }
    rig.Choose(rig.Combo()->itemText(1));
    QCOMPARE(rig.Lines(), QStringList({"SB, 25", "TX, 16,SL,DH,", "SB, 25"}));
  }

  void ChoosingAnEventShowsAllItsLines() {
    QStringList lines;
    for (int n = 0; n < 25; ++n) lines << QString("DL, %1").arg(n);
    lines[3] = "";
    EditorRig rig;
    rig.OpenWith(lines);
    QCOMPARE(rig.Lines(), lines);
    QVERIFY(rig.messages.shown.empty());
  }

  void DeletedFileIsReportedAndLeavesTheListEmpty() {
    EditorRig rig;
    rig.WriteEvent("other", "Other", {"SB, 1", "SB, 2"});
    rig.WriteEvent("probe", "Probe", {"SB, 3"});
    rig.Open();
    rig.Choose("other, Other");
    std::filesystem::remove(rig.folder.File("probe.evnt"));
    rig.Choose("probe, Probe");
    QCOMPARE(rig.List()->count(), 0);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const auto& shown = rig.messages.shown.front();
    QCOMPARE(shown.prompt,
             QString::fromStdString("Error on [ " + rig.folder.Folder() +
                                    "probe.evnt ]\rFile not found or error reading)"));
    QCOMPARE(shown.title, QString("Quorvane"));
    QCOMPARE(shown.icon, platform::MessageBoxes::Icon::None);
  }

  void TypingInTheEventBoxIsDiscardedButArrowsChoose() {
    EditorRig rig;
    rig.WriteEvent("alpha", "A", {"SB, 1"});
    rig.WriteEvent("beta", "B", {"SB, 2"});
    rig.Open();
    QTest::keyClicks(rig.Combo(), "beta");
    QCOMPARE(rig.Combo()->currentIndex(), -1);
    QCOMPARE(rig.List()->count(), 0);
    QTest::keyClick(rig.Combo(), Qt::Key_Down);
    QCOMPARE(rig.Combo()->currentText(), QString("alpha, A"));
    QCOMPARE(rig.Lines(), QStringList({"SB, 1"}));
  }

  void HugeListsAndLinesLoadShowAndSave() {
    QStringList lines;
    for (int n = 0; n < 10000; ++n) lines << QString("DL, %1").arg(n % 100);
    lines[5] = "TX, 4,SL,DH," + QString(200000, '7');
    lines[6] = "SB, " + QString(100000, '9');
    EditorRig rig;
    rig.OpenWith(lines);
    QCOMPARE(rig.List()->count(), 10000);
    rig.Select(5);
    QCOMPARE(rig.LitFrames(), QString("fmeTx"));
    rig.Select(6);
    QCOMPARE(rig.LitFrames(), QString("fmeBits"));
    const QByteArray before = rig.FileBytes("probe.evnt");
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("probe.evnt"), before);
  }

  void SelectedBitsLineShowsInItsFrame_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("SB, 21") << "SB, 21" << 0b01010 << 0b10101;
    QTest::newRow("SB, 255") << "SB, 255" << 0 << 0b11111;
    QTest::newRow("SB, 40000 keeps the boxes") << "SB, 40000" << 0b01010 << 0b01010;
  }
  void SelectedBitsLineShowsInItsFrame() {
    QFETCH(QString, line);
    QFETCH(int, before);
    QFETCH(int, after);
    EditorRig rig;
    rig.OpenWith({"DL, 5", line});
    rig.Select(0);
    SetChecked(rig, "chkBits", 0, 4, before);
    rig.Select(1);
    QCOMPARE(Checked(rig, "chkBits", 0, 4), after);
    QCOMPARE(rig.LitFrames(), QString("fmeBits"));
    QCOMPARE(rig.Text("txtDelay")->text(), QString("5"));
  }

  void SelectedTransmitLineShowsInItsFrame_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tx");
    QTest::addColumn<int>("sclk");
    QTest::addColumn<int>("data");
    QTest::addColumn<QString>("value");
    QTest::newRow("TX, 12,SH,DL,200") << "TX, 12,SH,DL,200" << 0b01100 << 1 << 2 << "200";
    QTest::newRow("TX, 4,SL,DH,") << "TX, 4,SL,DH," << 0b00100 << 2 << 1 << "";
    QTest::newRow("TX, 4,SL,DH,1,2") << "TX, 4,SL,DH,1,2" << 0b00100 << 2 << 1 << "1,2";
    QTest::newRow("TX, 70000 keeps the frame") << "TX, 70000,SL,DH,9" << 0b10000 << 1 << 1 << "old";
  }
  void SelectedTransmitLineShowsInItsFrame() {
    QFETCH(QString, line);
    QFETCH(int, tx);
    QFETCH(int, sclk);
    QFETCH(int, data);
    QFETCH(QString, value);
    EditorRig rig;
    rig.OpenWith({"SB, 1", line});
    SetChecked(rig, "chkTx", 2, 4, 0b10000);
    rig.Check("chkSCLK_0")->click();
    rig.Check("chkData_0")->click();
    rig.Text("txtValue")->setText("old");
    rig.Select(1);
    QCOMPARE(rig.LitFrames(), QString("fmeTx"));
    QCOMPARE(Checked(rig, "chkTx", 2, 4), tx);
    QCOMPARE(Checked(rig, "chkSCLK", 0, 1), sclk);
    QCOMPARE(Checked(rig, "chkData", 0, 1), data);
    QCOMPARE(rig.Text("txtValue")->text(), value);
    QCOMPARE(Checked(rig, "chkBits", 0, 4), 0);
  }

  void SelectedDelayAndOtherLines() {
    EditorRig rig;
    rig.OpenWith({"DL, 10", "DL,abc", "sb, 3", "", "SB, 31"});
    rig.Select(1);
    QCOMPARE(rig.Text("txtDelay")->text(), QString("abc"));
    QCOMPARE(rig.LitFrames(), QString("fmeDelay"));
    rig.Select(0);
    QCOMPARE(rig.Text("txtDelay")->text(), QString("10"));
    for (const int row : {2, 3}) {
      rig.Select(4);
      rig.Select(row);
      QCOMPARE(rig.LitFrames(), QString());
      QCOMPARE(Checked(rig, "chkBits", 0, 4), 0b11111);
    }
  }

  void MouseClickOnALineShowsIt() {
    EditorRig rig;
    rig.OpenWith({"SB, 1", "DL, 7"});
    const QRect place = rig.List()->visualItemRect(rig.List()->item(1));
    QTest::mouseClick(rig.List()->viewport(), Qt::LeftButton, {}, place.center());
    QCOMPARE(rig.SelectedRow(), 1);
    QCOMPARE(rig.Text("txtDelay")->text(), QString("7"));
    rig.Press("cmdAddDelay");
    QCOMPARE(rig.LitFrames(), QString());
    QTest::mouseClick(rig.List()->viewport(), Qt::LeftButton, {}, place.center());
    QCOMPARE(rig.LitFrames(), QString("fmeDelay"));
  }

  void PlusInsertsBlankLinesBeforeTheSelectedLine() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(2);
    rig.Press("cmdAdd");
    QCOMPARE(rig.Lines(), QStringList({"SB, 21", "DL, 5", "", "DL, 10", "TX, 4,SL,DH,", "SB, 0"}));
    QCOMPARE(rig.SelectedRow(), 3);
    rig.Press("cmdAdd");
    QCOMPARE(rig.Lines().mid(2, 3), QStringList({"", "", "DL, 10"}));
    QCOMPARE(rig.SelectedRow(), 4);
  }

  void MinusRemovesTheSelectedLine() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(1);
    rig.Press("cmdDel");
    QCOMPARE(rig.Lines(), QStringList({"SB, 21", "DL, 10", "TX, 4,SL,DH,", "SB, 0"}));
    QCOMPARE(rig.SelectedRow(), -1);
    rig.Press("cmdDel");
    QCOMPARE(rig.List()->count(), 4);
  }

  void ListButtonsWithoutSelectionChangeNothing() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    for (const char* button : {"cmdAdd", "cmdDel", "cmdEdit"}) rig.Press(button);
    QCOMPARE(rig.Lines(), kFiveLines);
    QVERIFY(!rig.InEditMode());
  }

  void EditEntersAndLeavesEditMode() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(2);
    rig.Press("cmdEdit");
    QVERIFY(rig.InEditMode());
    QCOMPARE(rig.SelectedRow(), 2);
    rig.Press("cmdEdit");
    QVERIFY(!rig.InEditMode());
    QCOMPARE(rig.Lines(), kFiveLines);
  }

  void BuildersOnAFreshWindowAppend() {
    EditorRig rig;
    rig.OpenWith({"SB, 1"});
    rig.Select(0);
    for (const char* button : {"cmdAddTx", "cmdAddBits", "cmdAddDelay", "cmdAddDelay"}) {
      rig.Press(button);
    }
    QCOMPARE(rig.Lines(), QStringList({"SB, 1", "TX, 0,SL,DL,", "SB, 1", "DL, 10", "DL, 10"}));
    QCOMPARE(rig.SelectedRow(), 0);
    QCOMPARE(rig.LitFrames(), QString());
  }

  void BuildersReadTheirFrames() {
    EditorRig rig;
    rig.Open();
    SetChecked(rig, "chkBits", 0, 4, 0b10101);
    rig.Text("txtDelay")->setText("3.5");
    SetChecked(rig, "chkTx", 2, 4, 0b01100);
    rig.Check("chkSCLK_0")->click();
    rig.Check("chkData_1")->click();
    rig.Text("txtValue")->setText("  200 ");
    for (const char* button : {"cmdAddBits", "cmdAddDelay", "cmdAddTx"}) rig.Press(button);
    QCOMPARE(rig.Lines(), QStringList({"SB, 21", "DL, 4", "TX, 12,SH,DL,200"}));
    QCOMPARE(rig.Text("txtValue")->text(), QString("  200 "));
  }

  void BuilderInEditModeReplacesTheSelectedLine() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(2);
    QCOMPARE(rig.LitFrames(), QString("fmeDelay"));
    rig.Press("cmdEdit");
    rig.Check("chkBits_1")->setChecked(true);
    rig.Press("cmdAddBits");
    QCOMPARE(rig.Lines(), QStringList({"SB, 21", "DL, 5", "SB, 2", "TX, 4,SL,DH,", "SB, 0"}));
    QVERIFY(!rig.InEditMode());
    QCOMPARE(rig.LitFrames(), QString());
    QCOMPARE(rig.SelectedRow(), -1);
  }

  void EditingSurvivesPlusAndAReopenedWindowStartsFresh() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(2);
    rig.Press("cmdEdit");
    rig.Text("txtDelay")->setText("50");
    rig.Press("cmdAdd");
    QCOMPARE(rig.Text("txtDelay")->text(), QString("50"));
    rig.Press("cmdAddDelay");
    QCOMPARE(rig.Lines().mid(2, 2), QStringList({"", "DL, 50"}));

    rig.Select(0);
    rig.Press("cmdEdit");
    rig.messages.answersYesNo.push_back(platform::MessageBoxes::Answer::Yes);  // discard
    rig.window->close();
    QVERIFY(!rig.window->isVisible());
    rig.Open();
    QVERIFY(!rig.InEditMode());
    QCOMPARE(rig.List()->count(), 0);
    QCOMPARE(rig.Text("txtDelay")->text(), QString("10"));
  }

  void BuilderInEditModeWithoutSelectionAppendsAndLeaves() {
    EditorRig rig;
    rig.WriteEvent("other", "Other", {"SB, 7"});
    rig.OpenWith(kFiveLines);
    rig.Select(1);
    rig.Press("cmdEdit");
    rig.Press("cmdDel");
    QVERIFY(rig.InEditMode());
    rig.Text("txtDelay")->setText("20");
    rig.Press("cmdAddDelay");
    QCOMPARE(rig.Lines().last(), QString("DL, 20"));
    QCOMPARE(rig.List()->count(), 5);
    QVERIFY(!rig.InEditMode());

    rig.Select(0);
    rig.Press("cmdEdit");
    rig.messages.answersYesNo.push_back(platform::MessageBoxes::Answer::Yes);  // discard
    rig.Choose("other, Other");
    QVERIFY2(rig.InEditMode(), "choosing an event keeps edit mode");
    rig.Press("cmdAddTx");
    QCOMPARE(rig.Lines(), QStringList({"SB, 7", "TX, 0,SL,DL,"}));
    QVERIFY(!rig.InEditMode());
  }

  void DelayOutsideTheRangeIsRefused() {
    EditorRig rig;
    rig.OpenWith(kFiveLines);
    rig.Select(1);
    rig.Press("cmdEdit");
    rig.Text("txtDelay")->setText("40000");
    rig.Press("cmdAddDelay");
    QCOMPARE(rig.Lines(), kFiveLines);
    QVERIFY(rig.InEditMode());
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("Error. The delay time must lie between -32768 and 32767 mS"));
    QCOMPARE(rig.messages.shown[0].icon, platform::MessageBoxes::Icon::Critical);
    QCOMPARE(rig.messages.shown[0].title, QString(" ERROR"));
  }

  void PairRuleKeepsOneBoxOfEachPairChecked_data() {
    QTest::addColumn<QString>("array");
    QTest::newRow("clock") << "chkSCLK";
    QTest::newRow("order") << "chkData";
  }
  void PairRuleKeepsOneBoxOfEachPairChecked() {
    QFETCH(QString, array);
    EditorRig rig;
    rig.Open();
    QCOMPARE(Checked(rig, array, 0, 1), 0);
    const struct {
      int box;
      int after;
    } clicks[] = {{0, 0b01}, {1, 0b10}, {1, 0b01}, {0, 0b10}};
    for (const auto& click : clicks) {
      rig.Check(QString("%1_%2").arg(array).arg(click.box))->click();
      QCOMPARE(Checked(rig, array, 0, 1), click.after);
    }
  }
};

int RunEditorWindowTest(int argc, char** argv) {
  EditorWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "EditorWindowTest.moc"
