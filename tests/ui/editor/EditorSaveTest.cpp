// "Save event" and "Save as new event": the files they write byte for byte,
// their input boxes and messages, and the names and failures they refuse.

#include <QTest>
#include <filesystem>
#include <set>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "EditorRig.h"
#include "EditorTests.h"

namespace quorvane::testing {
namespace {

using Icon = platform::MessageBoxes::Icon;
using Answer = platform::MessageBoxes::Answer;

std::set<std::string> FileNames(const TempFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

QStringList Items(const EditorRig& rig) {
  QStringList items;
  for (int index = 0; index < rig.Combo()->count(); ++index) items << rig.Combo()->itemText(index);
  return items;
}

// Opens an editor with "1.evnt" chosen and its three step lines listed.
void OpenCommandEvent(EditorRig& rig) {
  rig.WriteEvent("1", "Send command", {"SB, 25", "TX, 16,SL,DH,", "SB, 25"});
  rig.Open();
  rig.Choose("1, Send command");
}

void AnswerInputs(EditorRig& rig, const QStringList& answers) {
  for (const QString& answer : answers) rig.messages.inputAnswers.push_back(answer);
}

}  // namespace

class EditorSaveTest final : public QObject {
  Q_OBJECT

 private slots:
  void SaveWritesDescriptionAndListAndChangesNothing() {
    EditorRig rig;
    OpenCommandEvent(rig);
    rig.Select(1);
    rig.Press("cmdAdd");
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("1.evnt"),
             QByteArray("Send command\r\nSB, 25\r\n\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.SelectedRow(), 2);
    QCOMPARE(rig.Combo()->currentText(), QString("1, Send command"));
    QCOMPARE(rig.Lines().size(), 4);
  }

  void SaveOfAnEmptyListWritesOnlyTheDescription() {
    EditorRig rig;
    OpenCommandEvent(rig);
    for (int n = 0; n < 3; ++n) {
      rig.Select(0);
      rig.Press("cmdDel");
    }
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("1.evnt"), QByteArray("Send command\r\n"));
  }

  void SaveWithoutAChosenEventDoesNothing() {
    EditorRig rig;
    rig.WriteEvent("1", "Send command", {"SB, 25"});
    rig.Open();
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("1.evnt"), QByteArray("Send command\r\nSB, 25\r\n"));
    QCOMPARE(FileNames(rig.folder), std::set<std::string>{"1.evnt"});
    QVERIFY(rig.messages.shown.empty());
  }

  void SaveDuringEditModeKeepsEditModeAndSelection() {
    EditorRig rig;
    OpenCommandEvent(rig);
    rig.Select(1);
    rig.Press("cmdEdit");
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("1.evnt"),
             QByteArray("Send command\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
    QVERIFY(rig.InEditMode());
    QCOMPARE(rig.SelectedRow(), 1);
  }

  void SaveKeepsADescriptionThatHoldsCommas() {
    EditorRig rig;
    rig.WriteEvent("1", "Command byte: CS low, MSB first", {"SB, 25"});
    rig.Open();
    rig.Choose("1, Command byte: CS low");
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    QCOMPARE(rig.FileBytes("1.evnt"),
             QByteArray("Command byte: CS low, MSB first\r\nSB, 25\r\nSB, 0\r\n"));
  }

  void SaveAsNewAsksNameAndDescriptionAndAddsTheEvent() {
    EditorRig rig;
    OpenCommandEvent(rig);
    AnswerInputs(rig, {"probe", "My test"});
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.messages.inputPrompts.size(), std::size_t{2});
    QCOMPARE(rig.messages.inputPrompts[0].prompt, QString("File name"));
    QCOMPARE(rig.messages.inputPrompts[0].title, QString(" File name"));
    QCOMPARE(rig.messages.inputPrompts[1].prompt, QString("Event description"));
    QCOMPARE(rig.messages.inputPrompts[1].title, QString(" Description"));
    QCOMPARE(rig.messages.inputDefaults, QStringList({"", ""}));
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(Items(rig), QStringList({"1, Send command", "probe, My test"}));
    QCOMPARE(rig.Combo()->currentText(), QString("probe, My test"));
    QCOMPARE(rig.FileBytes("probe.evnt"),
             QByteArray("My test\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
    QCOMPARE(rig.Lines().size(), 3);
  }

  void SaveAsNewTrimsTheNameForTheFile() {
    EditorRig rig;
    OpenCommandEvent(rig);
    AnswerInputs(rig, {"  probe  ", "My test"});
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.Combo()->currentText(), QString("  probe  , My test"));
    QCOMPARE(FileNames(rig.folder), (std::set<std::string>{"1.evnt", "probe.evnt"}));
  }

  void SaveAsNewRefusesNamesThatCannotBeUsed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << ""
                               << "Error. You must type a name for the file";
    QTest::newRow("blanks only") << "   "
                                 << "Error. You must type a name for the file";
    QTest::newRow("comma") << "a,b"
                           << "Error. The name of an event cannot hold a comma";
    QTest::newRow("slash") << "../probe"
                           << "Error. The file name cannot hold the character [ / ]";
    QTest::newRow("backslash") << "a\\b"
                               << "Error. The file name cannot hold the character [ \\ ]";
    QTest::newRow("question mark") << "a?"
                                   << "Error. The file name cannot hold the character [ ? ]";
    QTest::newRow("dot") << "."
                         << "Error. The file name cannot be [ . ]";
    QTest::newRow("dot dot") << ".."
                             << "Error. The file name cannot be [ .. ]";
    QTest::newRow("a device of Windows") << "Lpt1"
                                         << "Error. The file name cannot be [ Lpt1 ]";
    QTest::newRow("a device, with a dot") << "nul.old"
                                          << "Error. The file name cannot be [ nul.old ]";
  }
  void SaveAsNewRefusesNamesThatCannotBeUsed() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    EditorRig rig;
    OpenCommandEvent(rig);
    AnswerInputs(rig, {name, "x"});
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.messages.inputPrompts.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt, message);
    QCOMPARE(rig.messages.shown[0].icon, Icon::Critical);
    QCOMPARE(rig.messages.shown[0].title, QString(" ERROR"));
    QCOMPARE(FileNames(rig.folder), std::set<std::string>{"1.evnt"});
    QCOMPARE(Items(rig), QStringList({"1, Send command"}));
    QCOMPARE(rig.Combo()->currentText(), QString("1, Send command"));
  }

  void SaveAsNewWithoutDescriptionWritesNothing() {
    EditorRig rig;
    OpenCommandEvent(rig);
    AnswerInputs(rig, {"probe"});
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("Error. You must type a description for the event"));
    QCOMPARE(rig.messages.shown[0].icon, Icon::Critical);
    QCOMPARE(rig.messages.shown[0].title, QString(" ERROR"));
    QCOMPARE(FileNames(rig.folder), std::set<std::string>{"1.evnt"});
    QCOMPARE(Items(rig), QStringList({"1, Send command"}));
  }

  void SaveAsNewOverAnExistingEventAsksFirst_data() {
    QTest::addColumn<bool>("replace");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
  }
  void SaveAsNewOverAnExistingEventAsksFirst() {
    QFETCH(bool, replace);
    EditorRig rig;
    rig.WriteEvent("probe", "Old", {"DL, 1"});
    OpenCommandEvent(rig);
    AnswerInputs(rig, {"probe", "New"});
    rig.messages.answersYesNo.push_back(replace ? Answer::Yes : Answer::No);
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt,
             QString("The event [ probe ] exists already.\nReplace it?"));
    QCOMPARE(rig.messages.shown[0].icon, Icon::Question);
    if (replace) {
      QCOMPARE(rig.FileBytes("probe.evnt"),
               QByteArray("New\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
      QCOMPARE(Items(rig), QStringList({"1, Send command", "probe, New"}));
      QCOMPARE(rig.Combo()->currentText(), QString("probe, New"));
    } else {
      QCOMPARE(rig.FileBytes("probe.evnt"), QByteArray("Old\r\nDL, 1\r\n"));
      QCOMPARE(Items(rig), QStringList({"1, Send command", "probe, Old"}));
      QCOMPARE(rig.Combo()->currentText(), QString("1, Send command"));
    }
  }

  void FailedSaveReportsAndKeepsFileAndWindow() {
    EditorRig rig;
    // The temporary file's name goes past the file system's limit while the
    // event's own name does not, so the write fails beside an existing file.
    const std::string name(245, 'n');
    rig.WriteEvent(name, "Old", {"DL, 1"});
    OpenCommandEvent(rig);
    const QString oldItem = QString::fromStdString(name + ", Old");
    rig.Choose(oldItem);
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    AnswerInputs(rig, {QString::fromStdString(name), "New"});
    rig.messages.answersYesNo.push_back(Answer::Yes);
    rig.Press("cmdSaveNew");

    const QString prefix =
        QString::fromStdString("Error writing [ " + rig.folder.Folder() + name + ".evnt ]\n");
    const auto& shown = rig.messages.shown;
    QCOMPARE(shown.size(), std::size_t{3});
    for (const std::size_t index : {std::size_t{0}, std::size_t{2}}) {
      QVERIFY2(shown[index].prompt.startsWith(prefix), qPrintable(shown[index].prompt));
      const QString reason = shown[index].prompt.mid(prefix.size()).section('\n', 0, 0);
      QVERIFY2(!reason.isEmpty(), qPrintable(shown[index].prompt));
#ifndef _WIN32
      // The system's own words: Windows has its own, and Wine those of the
      // Unix error it meets.
      QVERIFY2(reason.contains("too long"), qPrintable(reason));
#endif
      QCOMPARE(shown[index].icon, Icon::Critical);
      QCOMPARE(shown[index].title, QString(" ERROR"));
    }
    QCOMPARE(rig.FileBytes(name + ".evnt"), QByteArray("Old\r\nDL, 1\r\n"));
    QCOMPARE(FileNames(rig.folder), (std::set<std::string>{"1.evnt", name + ".evnt"}));
    QCOMPARE(Items(rig), QStringList({"1, Send command", oldItem}));
    QCOMPARE(rig.Combo()->currentText(), oldItem);
  }

  // POSIX permission bits and symbolic links: a Windows folder takes new files
  // whatever its read-only attribute says, and a link needs a privilege there.
#ifndef _WIN32
  void SaveIntoAReadOnlyFolderWritesAWritableFileInPlace() {
    if (geteuid() == 0) {
      QSKIP(
          "permissions do not bind the superuser; test_files ReplaceFileContents.* covers "
          "this as an unprivileged user");
    }
    EditorRig rig;
    OpenCommandEvent(rig);
    const std::string path = rig.folder.File("1.evnt");
    std::filesystem::permissions(rig.folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    const QByteArray written = rig.FileBytes("1.evnt");
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    std::filesystem::permissions(rig.folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    QCOMPARE(written, QByteArray("Send command\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\nSB, 0\r\n"));
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});  // the read-only file only
    QVERIFY(rig.messages.shown[0].prompt.startsWith(
        QString::fromStdString("Error writing [ " + path + " ]\nPermission denied\n")));
    QCOMPARE(rig.FileBytes("1.evnt"), written);
  }

  void SaveKeepsTheFilesModeAndItsLink() {
    EditorRig rig;
    rig.WriteEvent("edge", "Edge", {"SB, 1"});
    const std::filesystem::path edge = rig.folder.Path() / "edge.evnt";
    std::filesystem::permissions(
        edge, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink("edge.evnt", rig.folder.Path() / "link.evnt");
    rig.Open();
    rig.Choose("link, Edge");
    rig.Press("cmdAddBits");
    rig.Press("cmdSave");
    QVERIFY(rig.messages.shown.empty());
    QVERIFY(std::filesystem::is_symlink(rig.folder.Path() / "link.evnt"));
    QCOMPARE(rig.FileBytes("edge.evnt"), QByteArray("Edge\r\nSB, 1\r\nSB, 0\r\n"));
    QCOMPARE(std::filesystem::status(edge).permissions(),
             std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  }
#endif

  void SaveAsNewWritesTheDescriptionTyped() {
    EditorRig rig;
    rig.WriteEvent("probe", "Reset, slow", {"DL, 1"});
    OpenCommandEvent(rig);
    AnswerInputs(rig, {"probe", "Reset"});
    rig.messages.answersYesNo.push_back(Answer::Yes);
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.FileBytes("probe.evnt"),
             QByteArray("Reset\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n"));
    QCOMPARE(rig.Combo()->currentText(), QString("probe, Reset"));
  }

  void CharactersAnEventFileCannotHoldAreRefusedBeforeSaving() {
    const QString refusal(
        "Error. An event file cannot hold the characters [ α β γ € ]\n"
        "Change them and save again.");
    EditorRig rig;
    OpenCommandEvent(rig);
    const QByteArray before = rig.FileBytes("1.evnt");
    AnswerInputs(rig, {"greek", "αβγ € µ"});
    rig.Press("cmdSaveNew");
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    QCOMPARE(rig.messages.shown[0].prompt, refusal);
    QCOMPARE(rig.messages.shown[0].icon, Icon::Critical);
    QCOMPARE(rig.messages.shown[0].title, QString(" ERROR"));
    QCOMPARE(FileNames(rig.folder), std::set<std::string>{"1.evnt"});
    QCOMPARE(Items(rig), QStringList({"1, Send command"}));

    // A value typed into a step: "Save event" refuses the whole file.
    rig.Text("txtValue")->setText("αβγ€µ");
    rig.Press("cmdAddTx");
    rig.Press("cmdSave");
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QCOMPARE(rig.messages.shown[1].prompt, refusal);
    QCOMPARE(rig.FileBytes("1.evnt"), before);

    // Latin-1 characters are kept as they are.
    rig.Select(3);
    rig.Press("cmdEdit");
    rig.Text("txtValue")->setText("é µ ÿ");
    rig.Press("cmdAddTx");
    rig.Press("cmdSave");
    QCOMPARE(rig.messages.shown.size(), std::size_t{2});
    QVERIFY(rig.FileBytes("1.evnt").endsWith("TX, 0,SL,DL,\xE9 \xB5 \xFF\r\n"));
  }
};

int RunEditorSaveTest(int argc, char** argv) {
  EditorSaveTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "EditorSaveTest.moc"
