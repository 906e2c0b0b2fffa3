// The About window: centred on every opening, its address opening the web
// page on a double click only.

#include <QLabel>
#include <QScreen>
#include <QTest>

#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "ui/main/ApplicationLook.h"
#include "ui/main/WebPage.h"
#include "ui/main/frmAbout.h"

using quorvane::testing::RecordingMessageBoxes;
using quorvane::testing::RecordingShell;
using quorvane::ui::frmAbout;

class frmAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::ApplyApplicationLook(); }

  void CentredOnEveryOpening() {
    RecordingShell shell;
    RecordingMessageBoxes messages;
    for (int opening = 0; opening < 2; ++opening) {
      frmAbout about(shell, messages);
      about.move(3, 7);
      about.show();
      const QRect screen = about.screen()->geometry();
      const QRect frame = about.frameGeometry();
      QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
      QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
      QCOMPARE(about.windowTitle(), QString("About"));
      QCOMPARE(about.size(), QSize(412, 88));
    }
  }

  void DoubleClickOnTheAddressOpensTheWebPage() {
    RecordingShell shell;
    RecordingMessageBoxes messages;
    frmAbout about(shell, messages);
    about.show();
    auto* address = about.findChild<QLabel*>("Label1");
    QVERIFY(address != nullptr);
    QCOMPARE(address->geometry(), QRect(240, 44, 165, 17));
    QTest::mouseClick(address, Qt::LeftButton);
    QVERIFY(shell.requests.empty());
    QTest::mouseDClick(address, Qt::LeftButton);
    QCOMPARE(shell.requests.size(), std::size_t{1});
    QCOMPARE(shell.requests[0].address, QString(quorvane::ui::kWebPageAddress));
    QVERIFY(shell.requests[0].address.endsWith("/quorvane.asp"));
    QVERIFY(!shell.requests[0].address.contains("://"));
    QCOMPARE(shell.requests[0].showCommand, 3);
    QCOMPARE(shell.requests[0].owner, &about);
    QVERIFY(about.isVisible());
    QVERIFY(messages.shown.empty());
  }

  void AnAddressThatCannotBeOpenedIsShown() {
    RecordingShell shell;
    shell.opens = false;  // no web browser on this desktop
    RecordingMessageBoxes messages;
    frmAbout about(shell, messages);
    about.show();
    QTest::mouseDClick(about.findChild<QLabel*>("Label1"), Qt::LeftButton);
    QCOMPARE(shell.requests.size(), std::size_t{1});
    QCOMPARE(messages.shown.size(), std::size_t{1});
    QVERIFY(messages.shown[0].prompt.contains(quorvane::ui::kWebPageAddress));
    QVERIFY(about.isVisible());
  }
};

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
