// The editor's questions and messages as the desktop shows them (Qt's own
// boxes): Enter never confirms a question that destroys data, and a message
// that names a long path shows all of it.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "EditorTests.h"
#include "platform/desktop/MessageBoxes.h"
#include "ui/editor/EditorMessages.h"

namespace quorvane::testing {
namespace {

using Answer = platform::MessageBoxes::Answer;
using Icon = platform::MessageBoxes::Icon;

// Runs the check on the message box once it is up, then lets the check's
// keys (or a final Escape) close it.
void WhenTheBoxShows(const std::function<void(QMessageBox&)>& check) {
  QTimer::singleShot(0, [check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) qFatal("no message box is showing");
    check(*box);
    if (box->isVisible()) box->done(0);
  });
}

}  // namespace

class EditorMessageBoxTest final : public QObject {
  Q_OBJECT

 private slots:
  void QuestionsDefaultToNo_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
  }
  void QuestionsDefaultToNo() {
    QFETCH(int, key);
    platform::QtMessageBoxes boxes;
    for (const QString& question :
         {QString::fromStdString(ui::ReplaceQuestion("probe")), QString(ui::kDiscardQuestion)}) {
      WhenTheBoxShows([key](QMessageBox& box) {
        QCOMPARE(box.defaultButton(), box.button(QMessageBox::No));
        QTest::keyClick(&box, Qt::Key(key));
      });
      QCOMPARE(boxes.AskYesNo(nullptr, question, Icon::Question, ui::kReplaceTitle), Answer::No);
    }
    WhenTheBoxShows([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    QCOMPARE(boxes.AskYesNo(nullptr, "Replace?", Icon::Question, ui::kReplaceTitle), Answer::Yes);
  }

  void ALongFileNameIsShownWhole() {
    const std::string path = "/home/user/quorvane/" + std::string(250, 'n') + ".evnt";
    const QString message =
        QString::fromStdString(ui::SaveErrorMessage(path, "File name too long"));
    platform::QtMessageBoxes boxes;
    bool checked = false;
    WhenTheBoxShows([&](QMessageBox& box) {
      const auto* label = box.findChild<QLabel*>("qt_msgbox_label");
      QVERIFY(label != nullptr);
      // The words of the text, laid out in the label's width, fit in it.
      const QRect laidOut = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000),
                                                              Qt::TextWordWrap, label->text());
      QVERIFY2(laidOut.width() <= label->width(),
               qPrintable(QString("%1 > %2").arg(laidOut.width()).arg(label->width())));
      QVERIFY(laidOut.height() <= label->height());
      QVERIFY(box.screen()->availableGeometry().contains(box.frameGeometry()));
      // Nothing is lost: the text reads the same without its break marks.
      QCOMPARE(label->text().remove(QChar(0x200B)), message);
      checked = true;
    });
    boxes.MsgBox(nullptr, message, Icon::Critical, ui::kErrorTitle);
    QVERIFY(checked);
  }
};

int RunEditorMessageBoxTest(int argc, char** argv) {
  EditorMessageBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "EditorMessageBoxTest.moc"
