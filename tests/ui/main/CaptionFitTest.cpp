// Every caption of every window beside the main window fits its control at
// the shipped font: the About window, the event editor, the image and module
// windows, and the message and input boxes with the longest texts the program
// shows (the main window's own check is in its test).

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "CaptionFit.h"
#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "TempFolder.h"
#include "global/Global.h"
#include "image/frmImage.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "platform/desktop/MessageBoxes.h"
#include "ui/editor/EditorMessages.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/WebPage.h"
#include "ui/main/frmAbout.h"

using quorvane::testing::CaptionsThatDoNotFit;

namespace {

// Runs show, which opens a modal box, and checks the box's captions from
// inside its event loop before closing it.
QStringList CheckModal(const std::function<void()>& show) {
  QStringList problems{"no modal window opened"};
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    problems = CaptionsThatDoNotFit(*modal);
    modal->close();
  });
  show();
  return problems;
}

}  // namespace

class CaptionFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::ApplyApplicationLook(); }

  void AboutWindow() {
    quorvane::testing::RecordingShell shell;
    quorvane::testing::RecordingMessageBoxes messages;
    quorvane::ui::frmAbout about(shell, messages);
    about.show();
    const QStringList problems = CaptionsThatDoNotFit(about);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void EditorWindow() {
    quorvane::testing::TempFolder folder;
    folder.Write("0.evnt", "Reset\r\nSB, 9\r\n");
    quorvane::global::Global global;
    global.ProgramFolder = folder.Folder();
    quorvane::testing::RecordingMessageBoxes messages;
    quorvane::ui::frmDefs editor(global, messages);
    editor.show();
    const QStringList problems = CaptionsThatDoNotFit(editor);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void ImageAndModuleWindows() {
    quorvane::image::frmImage image;
    image.show();
    QVERIFY2(CaptionsThatDoNotFit(image).isEmpty(),
             qPrintable(CaptionsThatDoNotFit(image).join('\n')));
    quorvane::module::Pcd8544 module;
    quorvane::module::frmModule window(module);
    window.show();
    QVERIFY2(CaptionsThatDoNotFit(window).isEmpty(),
             qPrintable(CaptionsThatDoNotFit(window).join('\n')));
  }

  void MessageBoxes_data() {
    QTest::addColumn<QString>("prompt");
    const QString longPath = "/home/user/" + QString(12, 'x') + "/" + QString(240, 'y') + ".txt";
    QTest::newRow("web page") << QString(
                                     "The web page cannot be opened: no web browser could be "
                                     "started.\n\nIts address:\n%1")
                                     .arg(quorvane::ui::kWebPageAddress);
    QTest::newRow("long path")
        << "The file " + longPath + " holds no values on its first line.\nThe box keeps its text.";
    QTest::newRow("long word") << QString(300, 'w');
    QTest::newRow("load error, lone carriage return")
        << QString::fromStdString(quorvane::ui::LoadErrorMessage(longPath.toStdString()));
    QString reports;
    for (int n = 1; n <= 20; ++n) {
      reports += QString("item %1, '#-5': a negative delay waits 0 ms\n").arg(n);
    }
    QTest::newRow("twenty reports and a count") << reports + "... and 980 more reports.";
  }

  void MessageBoxes() {
    QFETCH(QString, prompt);
    quorvane::platform::QtMessageBoxes boxes;
    using Icon = quorvane::platform::MessageBoxes::Icon;
    QStringList problems =
        CheckModal([&] { boxes.MsgBox(nullptr, prompt, Icon::Warning, "Quorvane"); });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    problems = CheckModal([&] { boxes.AskYesNo(nullptr, prompt, Icon::Question, "Quorvane"); });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void InputBoxes() {
    quorvane::platform::QtMessageBoxes boxes;
    for (const char* prompt : {quorvane::ui::kNamePrompt, quorvane::ui::kDescriptionPrompt}) {
      const QStringList problems =
          CheckModal([&] { boxes.InputBox(nullptr, prompt, quorvane::ui::kNameTitle, "name"); });
      QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
  }
};

QTEST_MAIN(CaptionFitTest)
#include "CaptionFitTest.moc"
