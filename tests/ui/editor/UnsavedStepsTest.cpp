// Edits are never lost by accident: the wheel over the closed event box
// changes nothing, and choosing another event or closing the window with
// unsaved changes in the step list asks first.

#include <QTest>
#include <QWheelEvent>

#include "EditorRig.h"
#include "EditorTests.h"

namespace quorvane::testing {
namespace {

using Answer = platform::MessageBoxes::Answer;
using Icon = platform::MessageBoxes::Icon;

const QString kDiscardQuestion("The step list has changes that are not saved.\nDiscard them?");

// One notch of the wheel over the event box, down (towards later items) or up.
void TurnWheel(const EditorRig& rig, bool down) {
  QComboBox* box = rig.Combo();
  const QPointF at(box->width() / 2.0, box->height() / 2.0);
  QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, down ? -120 : 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(box, &wheel);
}

// Events "alpha", "beta" (whose file is a folder: it cannot be read) and
// "gamma", with "alpha" chosen.
void OpenThreeEvents(EditorRig& rig) {
  rig.WriteEvent("alpha", "A", {"SB, 1"});
  rig.WriteEvent("beta", "B", {"SB, 2"});
  rig.WriteEvent("gamma", "C", {"SB, 3"});
  rig.Open();
  rig.Choose("alpha, A");
}

}  // namespace

class UnsavedStepsTest final : public QObject {
  Q_OBJECT

 private slots:
  void WheelOverTheClosedBoxChangesNothing() {
    EditorRig rig;
    OpenThreeEvents(rig);
    std::filesystem::remove(rig.folder.Path() / "beta.evnt");
    std::filesystem::create_directory(rig.folder.Path() / "beta.evnt");
    rig.Press("cmdAddBits");  // an unsaved line
    for (int notch = 0; notch < 3; ++notch) TurnWheel(rig, true);
    TurnWheel(rig, false);
    QCOMPARE(rig.Combo()->currentText(), QString("alpha, A"));
    QCOMPARE(rig.Lines(), QStringList({"SB, 1", "SB, 0"}));
    QVERIFY2(rig.messages.shown.empty(), "no question, no load error per notch");
  }

  void ChoosingAnotherEventAsksBeforeDroppingChanges() {
    EditorRig rig;
    OpenThreeEvents(rig);
    rig.Press("cmdAddDelay");

    // The down arrow chooses "beta, B"; No keeps the list and the choice.
    QTest::keyClick(rig.Combo(), Qt::Key_Down);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt, kDiscardQuestion);
    QCOMPARE(rig.messages.shown[0].icon, Icon::Question);
    QCOMPARE(rig.messages.shown[0].title, QString(" Definitions of events"));
    QCOMPARE(rig.Combo()->currentText(), QString("alpha, A"));
    QCOMPARE(rig.Lines(), QStringList({"SB, 1", "DL, 10"}));

    // Picked from the list, with Yes: the other event is loaded.
    rig.messages.answersYesNo.push_back(Answer::Yes);
    rig.Choose("gamma, C");
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QCOMPARE(rig.Lines(), QStringList({"SB, 3"}));

    // Nothing unsaved: no question, as before.
    rig.Choose("alpha, A");
    QTest::keyClick(rig.Combo(), Qt::Key_Down);
    QCOMPARE(rig.Combo()->currentText(), QString("beta, B"));
    QCOMPARE(rig.Lines(), QStringList({"SB, 2"}));
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
  }

  void OnlyRealChangesCount() {
    EditorRig rig;
    OpenThreeEvents(rig);
    // A line added and removed again, a line replaced by an equal one.
    rig.Press("cmdAddBits");
    rig.Select(1);
    rig.Press("cmdDel");
    rig.Select(0);
    rig.Press("cmdEdit");
    rig.Check("chkBits_0")->setChecked(true);
    rig.Press("cmdAddBits");
    QCOMPARE(rig.Lines(), QStringList({"SB, 1"}));
    rig.Choose("beta, B");
    QVERIFY(rig.messages.shown.empty());

    // Saved changes are no longer unsaved, under either save command.
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    rig.Choose("gamma, C");
    rig.Press("cmdAddBits");
    rig.messages.inputAnswers = {"delta", "D"};
    rig.Press("cmdSaveNew");
    rig.Choose("beta, B");
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.Lines(), QStringList({"SB, 2", "SB, 1"}));
  }

  void ClosingAsksBeforeDroppingChanges() {
    EditorRig rig;
    OpenThreeEvents(rig);
    rig.Select(0);
    rig.Press("cmdAdd");
    rig.window->close();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt, kDiscardQuestion);
    QVERIFY2(rig.window->isVisible(), "No keeps the window open");
    QCOMPARE(rig.Lines(), QStringList({"", "SB, 1"}));

    rig.messages.answersYesNo.push_back(Answer::Yes);
    rig.window->close();
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.FileBytes("alpha.evnt"), QByteArray("A\r\nSB, 1\r\n"));

    // Unchanged, or with nothing chosen and nothing built: closes at once.
    for (const bool choose : {true, false}) {
      EditorRig quiet;
      quiet.WriteEvent("alpha", "A", {"SB, 1"});
      quiet.Open();
      if (choose) quiet.Choose("alpha, A");
      quiet.window->close();
      QVERIFY(!quiet.window->isVisible());
      QVERIFY(quiet.messages.shown.empty());
    }
  }
};

int RunUnsavedStepsTest(int argc, char** argv) {
  UnsavedStepsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "UnsavedStepsTest.moc"
