// Both programs run an action through the one session: for the same action
// the port sees the same writes from the main window's handler and from
// quorvane-send, and a picture series whose data event reports a problem
// ends at the same frame, with the same sentence, in both.

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "CsvTrace.h"
#include "MainWindowRig.h"
#include "SendRun.h"
#include "image/ImageSurface.h"
#include "image/frmImage.h"
#include "ui/main/ApplicationLook.h"

namespace {

using namespace quorvane;
using testing::MainWindowRig;
using Writes = std::vector<platform::PortWrite>;

struct Case {
  const char* name;
  std::vector<std::string> send;                // quorvane-send's action
  std::function<void(MainWindowRig&)> desktop;  // the same in the main window
  bool dataEventReports = false;                // 2.evnt holds a step out of range
  const char* sentence = nullptr;               // said by both fronts after the action
};

std::string FramePath(const MainWindowRig& rig, int frame) {
  return rig.folder.File("images/lcd_" + std::to_string(frame) + ".bmp");
}

}  // namespace

class BothFrontsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::ApplyApplicationLook(); }

  void TheSameActionMakesTheSameWritesInBothPrograms() {
    const Case cases[] = {
        {"reset event", {"--reset"}, [](MainWindowRig& rig) { rig.window->cmdReset_Click(); }},
        {"command list",
         {"--command", "33, &H21, 200.5, #5, 9"},
         [](MainWindowRig& rig) {
           rig.Find<QLineEdit>("txtCommand")->setText("33, &H21, 200.5, #5, 9");
           rig.window->cmdSendCommand_Click();
         }},
        {"init sequence",
         {"--init", "33, 200, 5, 21, 32, 9, #500, 8, #500, 13"},
         [](MainWindowRig& rig) { rig.window->cmdSendInit_Click(); }},
        {"data list",
         {"--data", "1, 2, 255"},
         [](MainWindowRig& rig) {
           rig.Find<QLineEdit>("txtData")->setText("1, 2, 255");
           rig.window->cmdSendData_Click();
         }},
        {"power off",
         {"--power-off"},
         [](MainWindowRig& rig) { rig.Find<QCheckBox>("chkOn")->click(); }},
        {"Do 0", {"--zero"}, [](MainWindowRig& rig) { rig.window->cmdZero_Click(); }},
        {"picture",
         {"--image", "images/lcd_1.bmp"},
         [](MainWindowRig& rig) {
           rig.window->ImageWindow()->picImage()->Canvas().DrawPictureFile(FramePath(rig, 1));
           rig.window->cmdSendImage_Click();
         }},
        {"picture series", {"--series"}, [](MainWindowRig& rig) { rig.window->cmdMulti_Click(); }},
        {"picture series with a data event that reports",
         {"--series"},
         [](MainWindowRig& rig) { rig.window->cmdMulti_Click(); },
         true,
         "The picture series stopped at "},
    };
    for (const Case& c : cases) {
      MainWindowRig rig(false);
      testing::CopyDemoPictures(rig.folder);
      if (c.dataEventReports) {
        rig.folder.Write("2.evnt", "Data byte\r\nSB, 25\r\nTX, 20,SL,DH,\r\nSB, 25\r\nSB, 300\r\n");
      }
      rig.Load();
      rig.Clear();
      rig.messages.shown.clear();
      c.desktop(rig);
      const Writes desktop = rig.port.Writes();

      std::vector<std::string> args = {"--port",
                                       "sim",
                                       "--virtual-time",
                                       "--folder",
                                       rig.folder.Folder(),
                                       "--trace",
                                       rig.folder.File("t.csv")};
      for (std::string argument : c.send) {
        if (argument.starts_with("images/")) argument = rig.folder.File(argument);
        args.push_back(argument);
      }
      const testing::SendRun run = testing::SendRig().Send(args);
      Writes sent;
      for (const testing::TraceRow& row : testing::ReadCsvTrace(rig.folder.Read("t.csv"))) {
        sent.push_back(
            {static_cast<std::uint16_t>(row.address), static_cast<std::uint8_t>(row.value)});
      }
      QVERIFY2(!desktop.empty(), c.name);
      QVERIFY2(sent == desktop, c.name);

      if (c.sentence == nullptr) {
        QVERIFY2(run.status == 0, qPrintable(QString(c.name) + ": " + run.err.c_str()));
        continue;
      }
      // The series ended at its first frame: one picture went out, and both
      // programs name that frame.
      QCOMPARE(desktop.size(), std::size_t{504 * 18});
      const std::string sentence = c.sentence + FramePath(rig, 0) + ":";
      QVERIFY2(!rig.messages.shown.empty(), c.name);
      QVERIFY2(rig.messages.shown[0].prompt.startsWith(QString::fromStdString(sentence)), c.name);
      QCOMPARE(run.status, 1);
      QVERIFY2(run.err.find("quorvane-send: " + sentence + "\n") != std::string::npos,
               run.err.c_str());
      QVERIFY2(run.out.find("picture series: 0 pictures") != std::string::npos, run.out.c_str());
    }
  }
};

QTEST_MAIN(BothFrontsTest)
#include "BothFrontsTest.moc"
