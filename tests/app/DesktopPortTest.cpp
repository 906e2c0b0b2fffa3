// The port the desktop program starts on: a port or trace file that cannot be
// had is said in a box, and the user goes on with the simulated port (or
// without the trace), chooses another port, or quits with status 1. A run that
// only takes a screenshot asks nothing and ends as before.

#include <QTest>
#include <sstream>

#include "FakePpdevSystem.h"
#include "RecordingMessageBoxes.h"
#include "RecordingSleeper.h"
#include "ScriptedPortChooser.h"
#include "TempFolder.h"
#include "app/DesktopPort.h"
#include "platform/ports/PortFactory.h"

using namespace quorvane;

namespace {

const QStringList kPortButtons = {"Simulated port", "Choose port...", "Quit"};
const QStringList kTraceButtons = {"Go on without the trace", "Quit"};

struct Case {
  const char* name;
  std::string portText;
  bool badTrace;                                  // the trace file's folder is missing
  bool ask;                                       // a run with the window, not a screenshot
  std::deque<int> answers;                        // the box's buttons pressed, in turn
  std::deque<std::optional<std::string>> chosen;  // the port choice's answers
  // What comes of it: the port opened (empty: none) and its trace, the
  // status, the boxes' buttons, and whether the user chose the port.
  std::string port;
  bool traced;
  int status;
  std::vector<QStringList> boxes;
  bool remembered = false;
};

}  // namespace

class DesktopPortTest : public QObject {
  Q_OBJECT

 private slots:
  void APortThatCannotBeOpenedIsSaidAndTheUserChooses() {
    const Case cases[] = {
        {"quit", "ppdev:/dev/nothing", false, true, {2}, {}, "", false, 1, {kPortButtons}},
        {"Escape quits too",
         "ppdev:/dev/nothing",
         false,
         true,
         {},
         {},
         "",
         false,
         1,
         {kPortButtons}},
        {"the simulated port",
         "ppdev:/dev/nothing",
         false,
         true,
         {0},
         {},
         "sim",
         false,
         0,
         {kPortButtons}},
        {"another port, chosen",
         "ppdev:/dev/nothing",
         false,
         true,
         {1},
         {"sim"},
         "sim",
         false,
         0,
         {kPortButtons},
         true},
        {"the choice cancelled, then quit",
         "ppdev:/dev/nothing",
         false,
         true,
         {1, 2},
         {{}},
         "",
         false,
         1,
         {kPortButtons, kPortButtons}},
        {"a port text not understood",
         "parport",
         false,
         true,
         {0},
         {},
         "sim",
         false,
         0,
         {kPortButtons}},
        {"a trace that cannot be made: on without it",
         "sim",
         true,
         true,
         {0},
         {},
         "sim",
         false,
         0,
         {kTraceButtons}},
        {"a trace that cannot be made: quit",
         "sim",
         true,
         true,
         {1},
         {},
         "",
         false,
         1,
         {kTraceButtons}},
        {"a screenshot run asks nothing",
         "ppdev:/dev/nothing",
         false,
         false,
         {},
         {},
         "",
         false,
         1,
         {}},
        {"a screenshot run, a port text not understood",
         "parport",
         false,
         false,
         {},
         {},
         "",
         false,
         2,
         {}},
        {"a port that opens asks nothing", "sim", false, true, {}, {}, "sim", false, 0, {}},
    };
    for (const Case& c : cases) {
      testing::TempFolder folder;
      testing::FakePpdevSystem ppdev;
      ppdev.openResult = -ENOENT;
      const platform::PortSystems systems{ppdev, nullptr};
      testing::RecordingSleeper sleeper;
      testing::RecordingMessageBoxes messages;
      messages.answersChoice = c.answers;
      testing::ScriptedPortChooser chooser;
      chooser.answers = c.chosen;
      std::ostringstream err;
      const std::string trace = folder.File(c.badTrace ? "missing/t.csv" : "t.csv");
      const app::DesktopPort port = app::OpenDesktopPort(
          {c.portText, trace, c.ask}, systems, {sleeper, sleeper}, messages, chooser, err);

      QVERIFY2((port.stack != nullptr) == !c.port.empty(), c.name);
      if (port.stack) {
        QVERIFY2(port.stack->Name() == c.port, c.name);
        QVERIFY2((port.stack->Trace() != nullptr) == !c.badTrace, c.name);
        QVERIFY2(port.stack->Module() != nullptr, c.name);  // on every port
      }
      QVERIFY2(port.status == c.status, c.name);
      QVERIFY2(messages.choiceButtons == c.boxes, c.name);
      QVERIFY2(port.chosen == c.remembered, c.name);
      // The reason is in the box, as a sentence, and on standard error.
      if (!c.boxes.empty()) {
        const QString prompt = messages.shown.front().prompt;
        QString missingPort = QString::fromStdString(testing::MissingPpdevReason("/dev/nothing"));
        missingPort[0] = missingPort[0].toUpper();
        QVERIFY2(prompt.startsWith(c.badTrace ? "Cannot write the trace file '" : missingPort) ||
                     prompt.startsWith("Unknown port 'parport'"),
                 qPrintable(prompt));
      }
      QVERIFY2(c.port == "sim" && !c.badTrace && c.boxes.empty() ? err.str().empty()
                                                                 : !err.str().empty(),
               c.name);
    }
  }
};

QTEST_MAIN(DesktopPortTest)
#include "DesktopPortTest.moc"
