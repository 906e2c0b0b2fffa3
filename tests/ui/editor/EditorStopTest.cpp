// A stop signal (SIGTERM, the terminal closed) while the editor holds unsaved
// steps: the program ends whatever the answer would be, so the editor closes
// without asking. Its own executable, since a stop request cannot be taken
// back within a process.

#include <QTest>

#include "EditorRig.h"
#include "platform/StopSignal.h"

namespace quorvane::testing {

class EditorStopTest final : public QObject {
  Q_OBJECT

 private slots:
  void AStopClosesTheEditorWithoutAQuestion() {
    EditorRig rig;
    rig.OpenWith({"SB, 1"});
    rig.Press("cmdAddDelay");  // an unsaved line

    rig.window->close();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});  // asked, and No keeps it open
    QVERIFY(rig.window->isVisible());

    platform::RequestStop();
    rig.window->close();
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(!rig.window->isVisible());
  }
};

}  // namespace quorvane::testing

QTEST_MAIN(quorvane::testing::EditorStopTest)
#include "EditorStopTest.moc"
