// Splitting the chosen item, checking a new event's name, the description
// line kept on saving, and a save into a folder that is gone.

#include <QTest>
#include <filesystem>

#include "EditorTests.h"
#include "TempFolder.h"
#include "events/EventFile.h"
#include "ui/editor/EditorMessages.h"
#include "ui/editor/EventSaving.h"

namespace quorvane::testing {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

class EventSavingTest final : public QObject {
  Q_OBJECT

 private slots:
  void SplitEventItem_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("catalogue item") << "1, Send command"
                                    << "1"
                                    << "Send command";
    QTest::newRow("blanks around") << "  probe  ,  My test "
                                   << "probe"
                                   << "My test";
    QTest::newRow("comma in description") << "0, Reset, slow"
                                          << "0"
                                          << "Reset, slow";
    QTest::newRow("no comma") << "probe"
                              << "probe"
                              << "";
  }
  void SplitEventItem() {
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const ui::EventChoice choice = ui::SplitEventItem(item.toStdString());
    QCOMPARE(Q(choice.name), name);
    QCOMPARE(Q(choice.description), description);
  }

  void EventNameProblem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");  // empty: the name can be used
    QTest::newRow("plain") << "probe"
                           << "";
    QTest::newRow("blanks around") << "  probe  "
                                   << "";
    QTest::newRow("inner dot") << "a.b"
                               << "";
    QTest::newRow("accented") << "réglage"
                              << "";
    QTest::newRow("empty") << "" << ui::kNameMissing;
    QTest::newRow("blanks only") << "   " << ui::kNameMissing;
    QTest::newRow("comma") << "a,b"
                           << "Error. The name of an event cannot hold a comma";
    QTest::newRow("dot") << " . "
                         << "Error. The file name cannot be [ . ]";
    QTest::newRow("dot dot") << ".."
                             << "Error. The file name cannot be [ .. ]";
    QTest::newRow("tab") << "a\tb"
                         << "Error. The file name cannot hold control characters";
    QTest::newRow("outside Latin-1")
        << "réglage €uro ∆"
        << "Error. An event file cannot hold the characters [ € ∆ ]\nChange them and save again.";
    for (const char* c : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|"}) {
      QTest::addRow("character %s", c)
          << QString("a%1b").arg(c)
          << QString("Error. The file name cannot hold the character [ %1 ]").arg(c);
    }
  }
  void EventNameProblem() {
    QFETCH(QString, name);
    QFETCH(QString, problem);
    const auto found = ui::EventNameProblem(name.toStdString());
    QCOMPARE(found ? Q(*found) : QString(), problem);
  }

  void DescriptionLineKeepsTheFilesWholeLine_data() {
    QTest::addColumn<QString>("fileLine");  // empty: no file
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("commas kept") << "Command byte: CS low, MSB first"
                                 << "Command byte: CS low"
                                 << "Command byte: CS low, MSB first";
    QTest::newRow("quoted kept") << "\"Reset, slow\" pulse"
                                 << "Reset, slow"
                                 << "\"Reset, slow\" pulse";
    QTest::newRow("new description wins") << "Old, text"
                                          << "New text"
                                          << "New text";
    QTest::newRow("no file yet") << ""
                                 << "My test"
                                 << "My test";
  }
  void DescriptionLineKeepsTheFilesWholeLine() {
    QFETCH(QString, fileLine);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    TempFolder folder;
    if (!fileLine.isEmpty()) folder.Write("e.evnt", fileLine.toStdString() + "\r\nSB, 1\r\n");
    QCOMPARE(Q(ui::DescriptionLine(folder.Folder(), {"e", chosen.toStdString()})), written);
  }

  // A file in UTF-8 (it begins with the byte-order mark, or its bytes are
  // UTF-8 with a character beyond ASCII) is kept in UTF-8, so it holds
  // characters outside Latin-1; a Latin-1 file refuses them unwritten.
  void SaveKeepsAUtf8FileWithItsCharacters_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");  // empty: refused, the file untouched
    const QByteArray mark("\xEF\xBB\xBF");
    QTest::newRow("marked") << mark + "Grüße €\r\nSB, 1\r\n"
                            << mark + "Grüße €\r\nSB, 2\r\nTX, 4,SL,DH,€\r\n";
    QTest::newRow("utf-8 without a mark") << QByteArray("Grüße €\r\nSB, 1\r\n")
                                          << QByteArray("Grüße €\r\nSB, 2\r\nTX, 4,SL,DH,€\r\n");
    QTest::newRow("latin-1") << QByteArray(
                                    "Gr\xFC\xDF"
                                    "e\r\nSB, 1\r\n")
                             << QByteArray();
    QTest::newRow("ascii") << QByteArray("Grusse\r\nSB, 1\r\n") << QByteArray();
  }
  void SaveKeepsAUtf8FileWithItsCharacters() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TempFolder folder;
    folder.Write("u.evnt", before.toStdString());
    const std::string shown = events::ReadEventDescription(folder.Folder(), "u");
    const auto failure =
        ui::SaveEventFile(folder.Folder(), {"u", shown}, {"SB, 2", "TX, 4,SL,DH,€"});
    if (after.isEmpty()) {
      QVERIFY(failure);
      QVERIFY(Q(*failure).contains("€"));
      QCOMPARE(folder.Read("u.evnt"), before.toStdString());
    } else {
      QVERIFY2(!failure, failure ? failure->c_str() : "");
      QCOMPARE(folder.Read("u.evnt"), after.toStdString());
    }
  }

  void SaveIntoMissingFolderFails() {
    TempFolder folder;
    const std::string missing = folder.FolderIn("gone");
    const auto failure = ui::SaveEventFile(missing, {"probe", "P"}, {"SB, 2"});
    QVERIFY(failure);
    QVERIFY(Q(*failure).contains(Q(missing + "probe.evnt")));
    QVERIFY(!std::filesystem::exists(missing));
  }
};

int RunEventSavingTest(int argc, char** argv) {
  EventSavingTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "EventSavingTest.moc"
