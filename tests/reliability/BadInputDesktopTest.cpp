// The desktop program against bad input: broken and huge event files in the
// program folder, garbage in the send boxes, broken pictures, and an editor
// whose folder cannot be written; named pipes, file names that are not UTF-8
// and byte-order marks in the program folder. Each ends in a message or the documented
// fallback; the windows stay up and nothing is lost.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "MainWindowRig.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/ApplicationLook.h"

using quorvane::testing::MainWindowRig;

class BadInputDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::ApplyApplicationLook(); }

  void BrokenStandardEventsSendNothingAndTheWindowComesUp() {
    MainWindowRig rig(false);
    rig.folder.Write("1.evnt", "");                                    // 0 bytes
    rig.folder.Write("2.evnt", std::string("\0\xff\r\n\x01SB\0", 9));  // binary junk
    rig.folder.Write("0.evnt", "Reset\r\nSB, 1e999\r\nDL, 40000\r\nSB, 9\r\n");
    rig.Load();
    QVERIFY(rig.window->isVisible());
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendCommand"), Qt::LeftButton);
    QVERIFY(rig.messages.shown.empty());
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());
    // The junk line is met once per byte of the list and said once.
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt.count("unknown step kind"), 1);

    QTest::mouseClick(rig.Find<QPushButton>("cmdReset"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), std::vector<std::uint8_t>{0x09});
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});  // both skipped steps in one box
    QVERIFY(rig.messages.shown[1].prompt.contains("'SB, 1e999' skipped"));
    QVERIFY(rig.messages.shown[1].prompt.contains("'DL, 40000' skipped"));
  }

  void HugeEventFilesInTheListAndTheEditor() {
    MainWindowRig rig(false);
    std::string many = "Ten thousand steps\r\n";
    for (int i = 0; i < 10000; ++i) many += "SB, " + std::to_string(i % 32) + "\r\n";
    rig.folder.Write("many.evnt", many);
    rig.folder.Write("huge.evnt", std::string(10 * 1024 * 1024, 'h') + "\r\nSB, 5\r\n");
    rig.folder.Write("wide.evnt", "Wide\r\n" + std::string(100000, 'w') + "\r\nSB, 6\r\n");
    rig.Load();
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    QCOMPARE(combo->count(), 3);

    rig.Clear();
    combo->setCurrentIndex(combo->findText("huge", Qt::MatchStartsWith));
    emit combo->activated(combo->currentIndex());
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), std::vector<std::uint8_t>{5});
    QVERIFY(rig.messages.shown.empty());

    rig.Clear();
    combo->setCurrentIndex(combo->findText("many", Qt::MatchStartsWith));
    emit combo->activated(combo->currentIndex());
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites().size(), std::size_t{20});  // the first 20 steps
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(rig.messages.shown[0].prompt.contains(
        "the event has 10000 step lines: the 9980 after the 20th are not run"));

    // The editor lists and saves every line of the big files unchanged.
    const bool checked = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      auto* events = editor.findChild<QComboBox*>("cmbEvents");
      auto* list = editor.findChild<QListWidget*>("lstEvents");
      events->setCurrentIndex(events->findText("many", Qt::MatchStartsWith));
      editor.cmbEvents_Click();
      QCOMPARE(list->count(), 10000);
      events->setCurrentIndex(events->findText("wide", Qt::MatchStartsWith));
      editor.cmbEvents_Click();
      QCOMPARE(list->count(), 2);
      editor.cmdSave_Click();
    });
    QVERIFY(checked);
    QCOMPARE(rig.folder.Read("wide.evnt"), "Wide\r\n" + std::string(100000, 'w') + "\r\nSB, 6\r\n");
  }

  void GarbageInTheSendBoxes() {
    MainWindowRig rig;
    struct Case {
      const char* text;
      const char* refusal;  // empty: sent
      std::vector<std::string> sent;
    };
    const char* const notANumber = ": not a number (write hex as 0x21 or &H21)";
    const Case cases[] = {
        {"1e999", "item 1, '1e999': not a byte (0 to 255)", {}},
        {"&HFFFFFFFFFF", "item 1, '&HFFFFFFFFFF': not a byte (0 to 255)", {}},
        {"#1e12", "item 1, '#1e12': not a delay (up to 2147483647 ms)", {}},
        {"-0, --5", "item 2, '--5'", {}},
        {"\x01\x02\x03", "item 1, '\x01\x02\x03'", {}},
        {"0x21, 21h", "item 2, '21h'", {}},
        {"abc", "item 1, 'abc'", {}},
        {",,,,", "", {}},
        {"0x21, 0xC8", "", {"d33", "d200"}},
    };
    for (const Case& c : cases) {
      rig.Clear();
      rig.messages.shown.clear();
      rig.Find<QLineEdit>("txtData")->setText(c.text);
      QTest::mouseClick(rig.Find<QPushButton>("cmdSendData"), Qt::LeftButton);
      QCOMPARE(rig.SentBytes(), c.sent);
      if (*c.refusal == '\0') {
        QVERIFY(rig.messages.shown.empty());
        continue;
      }
      QCOMPARE(rig.messages.shown.size(), std::size_t{1});
      const QString expected = QString("The list was not sent: ") + c.refusal;
      QVERIFY2(rig.messages.shown[0].prompt.startsWith(expected),
               qPrintable(rig.messages.shown[0].prompt));
      if (!QString(c.refusal).contains(':')) {
        QVERIFY(rig.messages.shown[0].prompt.contains(notANumber));
      }
      QVERIFY(rig.port.Writes().empty());
    }
    rig.Find<QLineEdit>("txtDelay")->setText("1e999");
    QCOMPARE(rig.window->DataDelay(), std::int16_t{10});  // kept
  }

  // Named pipes in a folder are POSIX's alone.
#ifndef _WIN32
  void NamedPipesInTheProgramFolderNeverBlock() {
    alarm(20);  // a blocking open ends the test process instead of hanging it
    MainWindowRig rig(false);
    std::filesystem::remove(rig.folder.Path() / "1.evnt");
    QCOMPARE(mkfifo(rig.folder.File("1.evnt").c_str(), 0600), 0);
    QCOMPARE(mkfifo(rig.folder.File("pipe.evnt").c_str(), 0600), 0);
    QCOMPARE(mkfifo(rig.folder.File("list.txt").c_str(), 0600), 0);
    rig.Load();  // start-up reads the standard events
    QVERIFY(rig.window->isVisible());
    QCOMPARE(rig.Find<QComboBox>("cmbEvents")->count(), 0);  // a pipe is no event
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendCommand"), Qt::LeftButton);
    QVERIFY(rig.port.Writes().empty());

    rig.dialogs.answers = {rig.folder.File("list.txt")};
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_0"), Qt::LeftButton);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(
        rig.messages.shown[0].prompt.contains("list.txt cannot be opened: it is a named pipe."));
    QCOMPARE(rig.Find<QLineEdit>("txtInit")->text(),
             QString("33, 200, 5, 21, 32, 9, #500, 8, #500, 13"));

    // The editor lists the standard events; the pipe is not among them.
    const bool checked = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      QCOMPARE(editor.findChild<QComboBox*>("cmbEvents")->count(), 2);
    });
    QVERIFY(checked);
    alarm(0);
  }
#endif

  void EventNamesThatAreNotUtf8ShowReadablyAndStillRun() {
#ifdef _WIN32
    QSKIP("Windows keeps file names in UTF-16: none is bytes in another encoding");
#endif
    MainWindowRig rig(false);
    const std::string latin1Name = "caf\xE9";  // copied from a machine that writes Latin-1 names
    rig.folder.Write(latin1Name + ".evnt", "Coffee\r\nSB, 7\r\n");
    rig.folder.Write("z\xC3\xBCrich.evnt", "Lake\r\nSB, 9\r\n");
    rig.Load();
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QString::fromUtf8("caf\u00e9, Coffee"));
    QCOMPARE(combo->itemText(1), QString::fromUtf8("z\u00fcrich, Lake"));
    for (const auto& [index, expected] : {std::pair{0, 7}, std::pair{1, 9}}) {
      rig.Clear();
      combo->setCurrentIndex(index);
      emit combo->activated(index);
      QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
      QCOMPARE(rig.DataWrites(), (std::vector<std::uint8_t>{std::uint8_t(expected)}));
    }

    // The editor shows the same name, loads the file and saves it back under
    // its own name: no second file appears.
    const bool checked = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      auto* events = editor.findChild<QComboBox*>("cmbEvents");
      const int index = events->findText(QString::fromUtf8("caf\u00e9, Coffee"));
      QVERIFY(index >= 0);
      events->setCurrentIndex(index);
      editor.cmbEvents_Click();
      auto* list = editor.findChild<QListWidget*>("lstEvents");
      QCOMPARE(list->count(), 1);
      QCOMPARE(list->item(0)->text(), QString("SB, 7"));
      editor.cmdAddDelay_Click();
      editor.cmdSave_Click();
    });
    QVERIFY(checked);
    QVERIFY(rig.messages.shown.empty());
    QVERIFY(rig.folder.Read(latin1Name + ".evnt").starts_with("Coffee\r\nSB, 7\r\nDL,"));
    int files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(rig.folder.Path()))
      ++files;
    QCOMPARE(files, 5);  // the three standard events and the two of the user
  }

  // A marked file and a UTF-8 file without the mark (a Linux editor's) show
  // their text in both windows; a Latin-1 file shows its own. Saving from the
  // editor gives each file its bytes back.
  void ByteOrderMarksAreNotTextAndUtf8ShowsAsItIs() {
    MainWindowRig rig(false);
    const std::string bom = "\xEF\xBB\xBF";
    const std::string files[][2] = {
        {"latin.evnt", "Caf\xE9 \xB5s\r\nDL, 5\r\n"},
        {"linux.evnt", "Delay 5 \xC2\xB5s\r\nDL, 5\r\nTX, 4,SL,DH,\r\n"},
        {"marked.evnt", bom + "Caf\xC3\xA9 \xE2\x9C\x93\r\nSB, 3\r\n"},
    };
    for (const auto& file : files) rig.folder.Write(file[0], file[1]);
    const std::string list = rig.folder.Write("list.txt", bom + "33, 200\r\n");
    rig.Load();
    const QStringList items{"latin, Café µs", "linux, Delay 5 µs", "marked, Café ✓"};
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    QStringList shown;
    for (int index = 0; index < combo->count(); ++index) shown << combo->itemText(index);
    QCOMPARE(shown, items);
    rig.Clear();
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendEvent"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites(), (std::vector<std::uint8_t>{3}));

    rig.dialogs.answers = {list};
    QTest::mouseClick(rig.Find<QPushButton>("dlgInit_1"), Qt::LeftButton);
    QCOMPARE(rig.Find<QLineEdit>("txtCommand")->text(), QString("33, 200"));

    const bool checked = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      auto* events = editor.findChild<QComboBox*>("cmbEvents");
      for (const QString& item : items) {
        const int index = events->findText(item);
        QVERIFY2(index >= 0, qPrintable(item));
        events->setCurrentIndex(index);
        editor.cmbEvents_Click();
        editor.cmdSave_Click();
      }
    });
    QVERIFY(checked);
    QVERIFY(rig.messages.shown.empty());
    for (const auto& file : files) QCOMPARE(rig.folder.Read(file[0]), file[1]);
  }

  void EditorSavingIntoAFolderThatCannotBeWritten() {
    MainWindowRig rig;
    const bool checked = rig.EditEvents([&](quorvane::ui::frmDefs& editor) {
      auto* events = editor.findChild<QComboBox*>("cmbEvents");
      events->setCurrentIndex(events->findText("1, ", Qt::MatchStartsWith));
      editor.cmbEvents_Click();
      // The program folder disappears under the editor.
      std::filesystem::rename(rig.folder.Path(), rig.folder.Path().string() + "-gone");
      editor.cmdSave_Click();
      std::filesystem::rename(rig.folder.Path().string() + "-gone", rig.folder.Path());
    });
    QVERIFY(checked);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QVERIFY(rig.messages.shown[0].prompt.contains("1.evnt"));
    QCOMPARE(rig.folder.Read("1.evnt"),
             std::string("Command byte: CS and D/C low; MSB first; sampled on the rising clock "
                         "edge\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
  }
};

QTEST_MAIN(BadInputDesktopTest)
#include "BadInputDesktopTest.moc"
