#include "ui/filedialog/FDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "TempFolder.h"
#include "platform/desktop/QtCommonDialogs.h"

using quorvane::platform::OpenFileNameRecord;
using quorvane::platform::QtCommonDialogs;
using quorvane::ui::FDialog;

namespace {

// The bytes of a literal, inner NULs included.
template <std::size_t N>
QByteArray Raw(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

// Answers the dialog calls as a test sets them, and keeps a copy of what each
// call was handed while its buffers were still alive.
class FakeCommonDialogs final : public quorvane::platform::CommonDialogs {
 public:
  struct Seen {
    bool isSave = false;
    OpenFileNameRecord record;  // its pointers dangle once the call is over
    std::optional<QByteArray> filter, initialDir, title, defExt;
    QByteArray file, fileTitle;
  };

  bool GetOpenFileNameA(OpenFileNameRecord& record) override { return Answer(record, false); }
  bool GetSaveFileNameA(OpenFileNameRecord& record) override { return Answer(record, true); }
  std::uint32_t GetFileVersionInfoSizeA(const char* fileName) override {
    asked += fileName;
    return static_cast<std::uint32_t>(versionInfo.size());
  }
  bool GetFileVersionInfoA(const char*, std::uint32_t size, void* data) override {
    std::memcpy(data, versionInfo.data(), std::min<std::size_t>(size, versionInfo.size()));
    return infoReadable;
  }
  bool VerQueryValueA(const void* data, const char* subBlock, const void*& value,
                      std::uint32_t& length) override {
    asked += subBlock;
    value = data;
    length = queryLength;
    return queryAnswers;
  }

  // Fixed file information whose most significant file version word is ms.
  void SetVersion(std::uint32_t ms) {
    versionInfo.assign(52, '\0');
    for (int byte = 0; byte < 4; ++byte)
      versionInfo[8 + byte] = static_cast<char>(ms >> (8 * byte));
  }

  std::string versionInfo, asked;
  bool infoReadable = true, queryAnswers = true;
  std::uint32_t queryLength = 52;
  bool answer = true;
  std::string written;          // put at the start of lpstrFile when answering
  std::size_t fileBytes = 0;    // bytes of lpstrFile to keep; 0 keeps nMaxFile
  std::size_t filterBytes = 0;  // bytes of the filter list to keep; 0 keeps up to "\0\0"
  std::optional<Seen> seen;

 private:
  static std::optional<QByteArray> Text(const char* text) {
    return text ? std::optional<QByteArray>(text) : std::nullopt;
  }
  bool Answer(OpenFileNameRecord& record, bool isSave) {
    Seen s{isSave,
           record,
           std::nullopt,
           Text(record.lpstrInitialDir),
           Text(record.lpstrTitle),
           Text(record.lpstrDefExt),
           QByteArray(record.lpstrFile, fileBytes ? fileBytes : record.nMaxFile),
           QByteArray(record.lpstrFileTitle, record.nMaxFileTitle)};
    if (record.lpstrFilter) {
      qsizetype length = static_cast<qsizetype>(filterBytes);
      if (length == 0) {
        while (record.lpstrFilter[length] || record.lpstrFilter[length + 1]) ++length;
        length += 2;
      }
      s.filter = QByteArray(record.lpstrFilter, length);
    }
    seen = s;
    std::memcpy(record.lpstrFile, written.data(),
                std::min<std::size_t>(written.size(), record.nMaxFile));
    record.nFilterIndex = 3;  // the type the user ended on, which the control drops
    return answer;
  }
};

const QByteArray kNuls(700, '\0');

}  // namespace

class FDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void RecordOfEachCall_data() {
    QTest::addColumn<bool>("isSave");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<uint>("filterIndex");
    QTest::newRow("open ignores the index") << false << QString() << 0u;
    QTest::newRow("save starts on the index") << true << QString() << 2u;
    QTest::newRow("save proposes the name") << true << QString("notes.txt") << 2u;
  }
  void RecordOfEachCall() {
    QFETCH(bool, isSave);
    QFETCH(QString, fileName);
    QWidget form;
    FakeCommonDialogs dialogs;
    dialogs.SetVersion(0x00060000);
    dialogs.fileBytes = fileName.size() + 700;
    FDialog control(dialogs);
    control.SetTitle(QString::fromUtf8(" Öffnen"));
    control.SetInitDir("/home/ü");
    control.SetFlags(0x1004);
    control.SetFilters("T (*.t)|*.t");
    control.SetFilterIndex(2);
    isSave ? control.ShowSave(&form, fileName) : control.ShowOpen(&form);

    QVERIFY(dialogs.seen);
    const FakeCommonDialogs::Seen& s = *dialogs.seen;
    const OpenFileNameRecord& r = s.record;
    QCOMPARE(s.isSave, isSave);
    QCOMPARE(r.lStructSize, 88u);
    QCOMPARE(r.hwndOwner, &form);
    QCOMPARE(s.filter, Raw("T (*.t)\0*.t\0\0"));
    QTEST(uint{r.nFilterIndex}, "filterIndex");
    QCOMPARE(s.file, fileName.toLocal8Bit() + kNuls);
    QCOMPARE(r.nMaxFile, 700u);
    QCOMPARE(s.fileTitle, QByteArray(260, '\0'));
    QCOMPARE(r.nMaxFileTitle, 260u);
    QCOMPARE(s.initialDir, QString("/home/ü").toLocal8Bit());
    QCOMPARE(s.title, QString::fromUtf8(" Öffnen").toLocal8Bit());
    QCOMPARE(r.Flags, 0x1004u);
    QCOMPARE(s.defExt, isSave ? std::optional<QByteArray>("") : std::nullopt);
    // Everything the control does not fill stays zero.
    QVERIFY(!r.hInstance && !r.lpstrCustomFilter && !r.lpfnHook && !r.lpTemplateName &&
            !r.pvReserved);
    QCOMPARE(r.nMaxCustFilter + r.nFileOffset + r.nFileExtension + r.dwReserved + r.FlagsEx, 0u);
    QCOMPARE(r.lCustData, 0);
    QCOMPARE(control.FilterIndex(), 2);  // not taken back from the dialog
  }

  void RecordSizeFollowsLibraryVersion_data() {
    QTest::addColumn<uint>("versionMs");
    QTest::addColumn<int>("breakAt");  // 0 none, 1 no information, 2 read fails, 3 query fails,
                                       // 4 block too short
    QTest::addColumn<uint>("size");
    QTest::newRow("4.0") << 0x00040000u << 0 << 76u;
    QTest::newRow("4.65535 (the minor half is no major)") << 0x0004FFFFu << 0 << 76u;
    QTest::newRow("5.0") << 0x00050000u << 0 << 88u;
    QTest::newRow("5.82") << 0x00050052u << 0 << 88u;
    QTest::newRow("6.0") << 0x00060000u << 0 << 88u;
    QTest::newRow("no information") << 0x00060000u << 1 << 76u;
    QTest::newRow("read fails") << 0x00060000u << 2 << 76u;
    QTest::newRow("query fails") << 0x00060000u << 3 << 76u;
    QTest::newRow("block too short for the word") << 0x00060000u << 4 << 76u;
  }
  void RecordSizeFollowsLibraryVersion() {
    QFETCH(uint, versionMs);
    QFETCH(int, breakAt);
    FakeCommonDialogs dialogs;
    dialogs.SetVersion(versionMs);
    if (breakAt == 1) dialogs.versionInfo.clear();
    dialogs.infoReadable = breakAt != 2;
    dialogs.queryAnswers = breakAt != 3;
    if (breakAt == 4) dialogs.queryLength = 11;
    FDialog control(dialogs);
    control.ShowSave(nullptr, "x");
    QTEST(uint{dialogs.seen->record.lStructSize}, "size");
    QVERIFY(dialogs.asked.starts_with("Comdlg32.dll"));
  }

  void FiltersKeepNulForBar_data() {
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("kept");
    QTest::newRow("a|b||c") << "a|b||c" << QString::fromLatin1(Raw("a\0b\0\0c"));
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no bar") << "plain"
                            << "plain";
    QTest::newRow("two pairs") << "BitMap (*.bmp)|*.bmp|JPeg (*.jpg)|*.jpg"
                               << QString::fromLatin1(
                                      Raw("BitMap (*.bmp)\0*.bmp\0JPeg (*.jpg)\0*.jpg"));
  }
  void FiltersKeepNulForBar() {
    QFETCH(QString, written);
    FakeCommonDialogs dialogs;
    FDialog control(dialogs);
    control.SetFilters(written);
    QTEST(control.Filters(), "kept");
    // The list reaches the dialog whole, closed by two NULs.
    dialogs.filterBytes = static_cast<std::size_t>(written.toLocal8Bit().size()) + 2;
    control.ShowOpen(nullptr);
    QCOMPARE(dialogs.seen->filter, control.Filters().toLocal8Bit() + QByteArray(2, '\0'));
  }

  void TextsNeverAssignedAreAbsentAssignedEmptyArePresent() {
    FakeCommonDialogs dialogs;
    FDialog control(dialogs);
    QCOMPARE(control.Title(), QString());
    QCOMPARE(control.Flags(), 0u);
    QCOMPARE(control.FilterIndex(), 0);
    control.ShowOpen(nullptr);
    QCOMPARE(dialogs.seen->title, std::nullopt);
    QCOMPARE(dialogs.seen->initialDir, std::nullopt);
    QCOMPARE(dialogs.seen->filter, std::nullopt);
    control.SetTitle("");
    control.SetInitDir("");
    control.SetFilters("");
    control.ShowOpen(nullptr);
    QCOMPARE(dialogs.seen->title, QByteArray(""));
    QCOMPARE(dialogs.seen->initialDir, QByteArray(""));
    QCOMPARE(dialogs.seen->filter, QByteArray(2, '\0'));
  }

  void ResultIsTheTextBeforeTheFirstNul_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("result");
    QTest::newRow("chosen") << true << Raw("/d/a.txt\0junk") << ""
                            << "/d/a.txt";
    QTest::newRow("cancel") << false << Raw("/d/a.txt\0") << ""
                            << "";
    QTest::newRow("NUL first") << true << Raw("\0abc") << ""
                               << "";
    // In the system's 8-bit encoding, as the dialog call fills the record:
    // UTF-8 on Linux, the ANSI code page on Windows.
    QTest::newRow("non-ASCII path") << true << QString::fromUtf8("/d/ä.bmp").toLocal8Bit()
                                    << "" << QString::fromUtf8("/d/ä.bmp");
    QTest::newRow("buffer without NUL stops at its end")
        << true << QByteArray(700, 'x') << "" << QString(700, 'x');
    QTest::newRow("save keeps the proposed name") << true << QByteArray() << "n.evnt"
                                                  << "n.evnt";
    QTest::newRow("save cancelled") << false << QByteArray() << "n.evnt"
                                    << "";
  }
  void ResultIsTheTextBeforeTheFirstNul() {
    QFETCH(QByteArray, written);
    QFETCH(QString, fileName);
    FakeCommonDialogs dialogs;
    QFETCH(bool, answer);
    dialogs.answer = answer;
    dialogs.written = written.toStdString();
    FDialog control(dialogs);
    QTEST(fileName.isEmpty() ? control.ShowOpen(nullptr) : control.ShowSave(nullptr, fileName),
          "result");
  }

  void LongProposedNameStaysInsideItsBuffer() {
    const QString name(1000, 'n');
    FakeCommonDialogs dialogs;
    dialogs.fileBytes = 1700;
    dialogs.written = std::string("/short\0", 7);
    FDialog control(dialogs);
    QCOMPARE(control.ShowSave(nullptr, name), QString("/short"));
    QCOMPARE(dialogs.seen->record.nMaxFile, 700u);
    QCOMPARE(dialogs.seen->file.mid(7), QByteArray(993, 'n') + kNuls);
    dialogs.fileBytes = 0;
    control.ShowOpen(nullptr);  // nothing of the last call carries over
    QCOMPARE(dialogs.seen->file, kNuls);
  }

  void StaysHiddenAt32By32_data() {
    QTest::addColumn<QSize>("asked");
    QTest::newRow("larger") << QSize(100, 50);
    QTest::newRow("smaller") << QSize(1, 1);
    QTest::newRow("empty") << QSize(0, 0);
    QTest::newRow("one side") << QSize(32, 400);
  }
  void StaysHiddenAt32By32() {
    QFETCH(QSize, asked);
    FakeCommonDialogs dialogs;
    QWidget form;
    auto* control = new FDialog(dialogs, &form);
    form.show();
    QVERIFY(!control->isVisible());
    control->resize(asked);
    QCOMPARE(control->size(), QSize(32, 32));
    // Shown and freed of its size limits, it still takes its size back.
    control->setMinimumSize(0, 0);
    control->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    control->show();
    control->resize(asked);
    QCOMPARE(control->size(), QSize(32, 32));
  }

  void NameFiltersFromTheFilterList_data() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("filters");
    QTest::newRow("empty list") << QByteArray(2, '\0') << QStringList();
    QTest::newRow("pairs") << Raw("BitMap (*.bmp)\0*.bmp\0JPeg (*.jpg)\0*.jpg\0\0")
                           << QStringList{"BitMap (*.bmp)", "JPeg (*.jpg)"};
    QTest::newRow("patterns added")
        << Raw("Text\0*.txt;*.log\0\0") << QStringList{"Text (*.txt *.log)"};
    QTest::newRow("ends at the double NUL") << Raw("a\0b\0\0c\0\0") << QStringList{"a (b)"};
    QTest::newRow("pattern missing") << Raw("a\0\0") << QStringList();
  }
  void NameFiltersFromTheFilterList() {
    QFETCH(QByteArray, list);
    QTEST(quorvane::platform::NameFiltersFromFilterList(list.constData()), "filters");
    QCOMPARE(quorvane::platform::NameFiltersFromFilterList(nullptr), QStringList());
  }

  void QtLibraryAnswersVersion6() {
    QtCommonDialogs dialogs(false);
    QCOMPARE(dialogs.GetFileVersionInfoSizeA("other.dll"), 0u);
    const std::uint32_t size = dialogs.GetFileVersionInfoSizeA("Comdlg32.dll");
    QByteArray info(size, '\0');
    QVERIFY(dialogs.GetFileVersionInfoA("Comdlg32.dll", size, info.data()));
    const void* value = nullptr;
    std::uint32_t length = 0;
    QVERIFY(!dialogs.VerQueryValueA(info.constData(), "\\StringFileInfo", value, length));
    QVERIFY(dialogs.VerQueryValueA(info.constData(), "\\", value, length));
    QVERIFY(length >= 12);
    QCOMPARE(static_cast<const char*>(value)[10], '\x06');
  }

  // The real dialog: what it shows, then the chosen path written into the record.
  void QtDialogShowsTheRecordAndWritesThePath_data() {
    QTest::addColumn<bool>("isSave");  // save: type 2, a title and a proposed name
    QTest::addColumn<uint>("maxFile");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("chosen");
    QTest::newRow("open") << false << 700u << true << true;
    QTest::newRow("save") << true << 700u << true << true;
    QTest::newRow("cancel") << false << 700u << false << false;
    QTest::newRow("path without room") << false << 5u << true << false;
  }
  void QtDialogShowsTheRecordAndWritesThePath() {
    QFETCH(bool, isSave);
    QFETCH(uint, maxFile);
    QFETCH(bool, accept);
    quorvane::testing::TempFolder folder;
    const QString folderPath = QString::fromStdString(folder.Path().string());
    const QString path = QString::fromStdString(folder.Write("a.txt", "x"));
    const QByteArray filter = Raw("Text files (*.txt)\0*.txt\0BitMap (*.bmp)\0*.bmp\0\0");
    const QByteArray folderBytes = folderPath.toLocal8Bit();
    QByteArray file = (isSave ? QByteArray("a.txt") : QByteArray()) + kNuls;
    const QByteArray untouched = file;

    OpenFileNameRecord record;
    QWidget owner;
    record.hwndOwner = &owner;
    record.lpstrFilter = filter.constData();
    record.nFilterIndex = isSave ? 2 : 0;
    record.lpstrFile = file.data();
    record.nMaxFile = maxFile;
    record.lpstrInitialDir = folderBytes.constData();
    record.lpstrTitle = isSave ? " Save as" : nullptr;

    QString title, folderShown, selectedFilter;
    QStringList filters, proposed;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      title = dialog->windowTitle();
      folderShown = QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
      filters = dialog->nameFilters();
      selectedFilter = dialog->selectedNameFilter();
      proposed = dialog->selectedFiles();
      if (!accept) return dialog->reject();
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides its accept()
    });
    QtCommonDialogs dialogs(false);
    const bool chosen =
        isSave ? dialogs.GetSaveFileNameA(record) : dialogs.GetOpenFileNameA(record);

    QCOMPARE(title, isSave ? " Save as" : "Open");  // no title: Qt's own
    QCOMPARE(folderShown, QFileInfo(folderPath).canonicalFilePath());
    QCOMPARE(filters, (QStringList{"Text files (*.txt)", "BitMap (*.bmp)"}));
    QCOMPARE(selectedFilter, isSave ? "BitMap (*.bmp)" : "Text files (*.txt)");
    if (isSave) QCOMPARE(QFileInfo(proposed.value(0)).fileName(), QString("a.txt"));
    QTEST(chosen, "chosen");
    const QByteArray written = path.toLocal8Bit() + '\0';
    QCOMPARE(file, chosen ? written + untouched.mid(written.size()) : untouched);
  }
};

QTEST_MAIN(FDialogTest)
#include "FDialogTest.moc"
