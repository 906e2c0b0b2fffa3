// The main window from the keyboard and the pointer: the tab order (the trace
// and the slider marked while they hold the focus), Tab out of the event list,
// the wheel over it, Return and Enter on a button, the threshold slider's
// keys, and the trace's pointer capture ending whenever the window loses
// input.

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "MainWindowRig.h"
#include "MainWindowTests.h"
#include "port/LineDisplay.h"
#include "port/TracePicture.h"

namespace quorvane::testing {
namespace {

const QStringList kTabOrder = {
    "cmdSendInit", "txtInit",       "txtCommand", "cmdSendCommand", "txtData",  "cmdSendData",
    "txtDelay",    "picVisualizer", "chkOn",      "cmdZero",        "cmdReset", "cmdSendImage",
    "txtFile",     "cmdSfoglia",    "cmbEvents",  "cmdSendEvent",   "cmdMulti", "scrSoglia",
    "dlgInit_0",   "dlgInit_1",     "dlgInit_2"};

QString FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr ? focus->objectName() : QString("(none)");
}

// The pointer moves over the trace picture at a pixel of its drawing area.
void MovePointer(port::TracePicture& picture, QPoint pixel) {
  const QPointF at = pixel + QPointF(port::TracePicture::kBorder, port::TracePicture::kBorder);
  QMouseEvent move(QEvent::MouseMove, at, picture.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&picture, &move);
}

// A shown, active main window whose trace is being tracked: the pointer rests
// at sample 50, where the history is all low while the lines hold RESET high.
struct TrackingRig {
  TrackingRig() {
    rig.window->activateWindow();
    if (!QTest::qWaitForWindowActive(rig.window.get())) qWarning("main window not active");
    picture = rig.Find<port::TracePicture>("picVisualizer");
    clean = picture->Image();
    MovePointer(*picture, {230, 88});
  }
  bool Tracking() const {
    return picture->HasCapture() && QWidget::mouseGrabber() == picture &&
           rig.window->LineDisplay().CursorX() != port::LineDisplay::kNoCursor &&
           picture->Image() != clean && rig.Lamps() == "ddddd";
  }
  // As if the pointer had left the picture: no capture, no cursor, the lamps
  // on the output byte.
  bool Idle() const {
    return !picture->HasCapture() && QWidget::mouseGrabber() == nullptr &&
           rig.window->LineDisplay().CursorX() == port::LineDisplay::kNoCursor &&
           picture->Image() == clean && rig.Lamps() == "ddddb";
  }

  MainWindowRig rig;
  port::TracePicture* picture = nullptr;
  QImage clean;
};

}  // namespace

class frmELCDInputTest : public QObject {
  Q_OBJECT

 private slots:
  void TabOrderRunsThroughEveryControl() {
    MainWindowRig rig;
    QStringList chain;
    for (QWidget* w = rig.Find<QWidget>("cmdSendInit"); chain.size() < kTabOrder.size();
         w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(rig.window.get())) {
        chain << w->objectName();
      }
    }
    QCOMPARE(chain, kTabOrder);

    // Tab walks the same round from the keyboard, out of the event list too,
    // and Shift+Tab walks it back.
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    rig.Find<QWidget>("cmdSendInit")->setFocus();
    QStringList walked{FocusName()};
    QStringList marked;
    for (int n = 1; n <= kTabOrder.size(); ++n) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << FocusName();
      for (const char* name : {"focusMark_picVisualizer", "focusMark_scrSoglia"}) {
        if (rig.Find<QWidget>(name)->isVisible()) marked << FocusName();
      }
    }
    // The two controls whose style shows no focus are marked, while they
    // have it and only then.
    QCOMPARE(marked, (QStringList{"picVisualizer", "scrSoglia"}));
    QCOMPARE(walked, kTabOrder + QStringList{"cmdSendInit"});
    rig.Find<QWidget>("cmbEvents")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(FocusName(), QString("cmdSfoglia"));
  }

  void EventListDropsOnlyPrintableKeys() {
    MainWindowRig rig(false);
    rig.folder.Write("a.evnt", "A\r\nSB, 1\r\n");
    rig.folder.Write("b.evnt", "B\r\nSB, 2\r\n");
    rig.Load();
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    auto* combo = rig.Find<QComboBox>("cmbEvents");
    combo->setFocus();
    QTest::keyClicks(combo, "b a");
    QCOMPARE(combo->currentIndex(), -1);  // typed characters, the blank too
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), QString("a, A"));  // moving through the list works
    // The wheel over the closed list changes nothing.
    const QPointF middle(combo->width() / 2.0, combo->height() / 2.0);
    QWheelEvent wheel(middle, combo->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    QCOMPARE(combo->currentText(), QString("a, A"));
    QTest::keyClick(combo, Qt::Key_Tab);
    QCOMPARE(FocusName(), QString("cmdSendEvent"));
    // Space, Return and Enter each press the focused button once.
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Space, Qt::NoModifier}, std::pair{Qt::Key_Return, Qt::NoModifier},
          std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
      rig.Clear();
      QTest::keyClick(QApplication::focusWidget(), key, modifiers);
      QCOMPARE(rig.DataWrites(), std::vector<std::uint8_t>{1});
    }
  }

  void SliderKeysMoveLikeAHorizontalScrollBar() {
    MainWindowRig rig;
    auto* slider = rig.Find<QScrollBar>("scrSoglia");
    slider->setFocus();
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Right, 8390},    {Qt::Key_Up, 8391},     {Qt::Key_Left, 8390},
        {Qt::Key_Down, 8389},     {Qt::Key_PageUp, 8489}, {Qt::Key_PageDown, 8389},
        {Qt::Key_PageDown, 8289}, {Qt::Key_Home, 0},      {Qt::Key_End, 32767}};
    for (const auto& [key, position] : keys) {
      QTest::keyClick(slider, key);
      QCOMPARE(slider->value(), position);
      QCOMPARE(rig.window->ImageThreshold(), position * 1000);
    }
  }

  void PointerCaptureEndsWhenAModalWindowOpens() {
    // The About window by Alt+?, the editor by Alt+D: each takes the pointer
    // at once, and the trace shows the output again.
    for (const Qt::Key key : {Qt::Key_Question, Qt::Key_D}) {
      TrackingRig tracking;
      QVERIFY(tracking.Tracking());
      bool opened = false;
      bool idle = false;
      QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        opened = true;
        idle = tracking.Idle();
        modal->close();
      });
      QTest::keyClick(tracking.rig.window.get(), key, Qt::AltModifier);
      QVERIFY(opened);
      QVERIFY(idle);
      // Back in the main window, the next move over the trace tracks again.
      MovePointer(*tracking.picture, {100, 20});
      QVERIFY(tracking.picture->HasCapture());
    }
  }

  void PointerCaptureEndsWhenTheWindowIsDeactivatedOrHidden() {
    {
      TrackingRig tracking;
      QVERIFY(tracking.Tracking());
      QWidget other;
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
      QVERIFY(tracking.Idle());
    }
    {
      TrackingRig tracking;
      QVERIFY(tracking.Tracking());
      tracking.rig.window->hide();
      QVERIFY(tracking.Idle());
    }
    // A send between tracking and the loss keeps the picture and CursorX in
    // step, so the cursor still goes cleanly.
    TrackingRig tracking;
    QTest::mouseClick(tracking.rig.Find<QPushButton>("cmdReset"), Qt::LeftButton);
    tracking.rig.window->hide();
    QVERIFY(!tracking.picture->HasCapture());
    QCOMPARE(tracking.rig.window->LineDisplay().CursorX(), port::LineDisplay::kNoCursor);
    QCOMPARE(tracking.rig.Lamps(), QString("bddbb"));
  }
};

int RunMainWindowInputTest(int argc, char** argv) {
  frmELCDInputTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "frmELCDInputTest.moc"
