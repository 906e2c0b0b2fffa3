// The line display on its widgets: lamps, the trace picture's pixels, the line
// history and the pointer cursor, driven the way the main window drives them.

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <array>
#include <cstdint>
#include <limits>

#include "global/Global.h"
#include "port/LampShape.h"
#include "port/LineDisplay.h"
#include "port/TracePicture.h"

namespace quorvane::port {
namespace {

// The line display as the main window lays it out: five lamps and the trace
// picture (465 x 181 outside, so 461 x 177 inside its border).
struct Rig {
  Rig() {
    picture->setGeometry(40, 196, 465, 181);
    display.Initialise();
  }

  static LineDisplay::Lamps MakeLamps(QWidget& parent) {
    LineDisplay::Lamps lamps{};
    for (int n = 0; n < LineDisplay::kLines; ++n) {
      lamps[n] = new LampShape(&parent);
      lamps[n]->setGeometry(8, 16 + 20 * n, 17, 13);
    }
    return lamps;
  }

  // What UpdateOutput does on screen for one port write.
  void Write(std::uint8_t value) {
    display.UpdateLeds(value);
    display.UpdateVisualizerByte(value);
  }
  void Move(float x, float y) {
    display.picVisualizer_MouseMove(Qt::NoButton, Qt::NoModifier, x, y);
  }

  // Image column where sample i starts, and image row of height y.
  int Column(float i) const { return picture->ToPixel(i, 0).x(); }
  int Row(float y) const { return picture->ToPixel(0, y).y(); }
  QColor Pixel(int column, int row) const { return picture->Image().pixelColor(column, row); }

  std::array<QColor, LineDisplay::kLines> LampColors() const {
    std::array<QColor, LineDisplay::kLines> colors;
    for (int n = 0; n < LineDisplay::kLines; ++n) colors[n] = lamps[n]->FillColor();
    return colors;
  }
  // The lamp colours that show the levels of a byte.
  std::array<QColor, LineDisplay::kLines> ColorsOf(std::uint8_t value) const {
    std::array<QColor, LineDisplay::kLines> colors;
    for (int n = 0; n < LineDisplay::kLines; ++n) {
      colors[n] = display.LineColors()[(value >> n) & 1 ? n + 5 : n];
    }
    return colors;
  }

  global::Global global;
  QWidget window;
  LineDisplay::Lamps lamps = MakeLamps(window);
  TracePicture* picture = new TracePicture(&window);
  LineDisplay display{lamps, *picture, global};
};

std::array<bool, LineDisplay::kLines> Levels(std::uint8_t value) {
  std::array<bool, LineDisplay::kLines> levels{};
  for (int n = 0; n < LineDisplay::kLines; ++n) levels[n] = (value >> n) & 1;
  return levels;
}

}  // namespace

class LineDisplayTest final : public QObject {
  Q_OBJECT

 private slots:
  // --- Colours and lamps ---

  void ColourTableHoldsDarkThenBrightPerLine() {
    Rig rig;
    const LineDisplay::ColorTable expected = {
        QColor(0, 64, 0),  QColor(64, 64, 0),  QColor(0, 0, 64),    QColor(64, 0, 0),
        QColor(0, 64, 64), QColor(0, 255, 0),  QColor(255, 255, 0), QColor(0, 0, 255),
        QColor(255, 0, 0), QColor(0, 255, 255)};
    QCOMPARE(rig.display.LineColors(), expected);
  }

  void LampsTakeTheTableColoursOfTheirLines() {
    Rig rig;
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x00));
    rig.display.UpdateLeds(0x1F);
    for (int n = 0; n < LineDisplay::kLines; ++n) {
      QCOMPARE(rig.lamps[n]->FillColor(), rig.display.LineColors()[n + 5]);
    }
    rig.display.UpdateLeds(0x0A);
    QCOMPARE(rig.LampColors(),
             (std::array<QColor, 5>{QColor(0, 64, 0), QColor(255, 255, 0), QColor(0, 0, 64),
                                    QColor(255, 0, 0), QColor(0, 64, 64)}));
  }

  void LampPaintsItsFillColourInTheMiddle() {
    LampShape lamp;
    lamp.resize(17, 13);
    lamp.SetFillColor(QColor(0, 255, 255));
    const QImage image = lamp.grab().toImage();
    QCOMPARE(image.pixelColor(8, 6), QColor(0, 255, 255));
  }

  // --- Start-up and history ---

  void StartUpShowsResetHighAfterAnAllLowHistory() {
    Rig rig;
    rig.Write(0x10);
    const auto& history = rig.display.LineHistory();
    QCOMPARE(history[99], Levels(0x10));
    for (int i = 0; i < 99; ++i) QCOMPARE(history[i], Levels(0x00));
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x10));
    QCOMPARE(rig.display.CursorX(), LineDisplay::kNoCursor);
    // RESET lane: high in the last sample, low before it.
    const int middle99 = (rig.Column(99) + rig.Column(100)) / 2;
    QCOMPARE(rig.Pixel(middle99, rig.Row(48)), QColor(0, 255, 255));
    QCOMPARE(rig.Pixel(rig.Column(50), rig.Row(40)), QColor(0, 255, 255));
    QCOMPARE(rig.Pixel(rig.Column(50), rig.Row(48)), QColor(0, 64, 64));
  }

  void InitialiseDrawsDarkLanesWithLowLevelsOnBlack() {
    Rig rig;
    QCOMPARE(rig.picture->Image().size(), QSize(461, 177));
    for (int n = 0; n < LineDisplay::kLines; ++n) {
      QCOMPARE(rig.Pixel(rig.Column(20), rig.Row(10 * n + 8)), rig.display.LineColors()[n]);
      QCOMPARE(rig.Pixel(rig.Column(20), rig.Row(10 * n)), rig.display.LineColors()[n + 5]);
    }
    // Between lanes and below the SCLK lane the background shows.
    QCOMPARE(rig.Pixel(rig.Column(20), rig.Row(9.6f)), QColor(Qt::black));
    QCOMPARE(rig.Pixel(rig.Column(20), 176), QColor(Qt::black));
  }

  void OnlyTheLastHundredWritesRemain() {
    Rig rig;
    for (int k = 0; k < 150; ++k) rig.Write(static_cast<std::uint8_t>(k % 32));
    for (int i = 0; i < LineDisplay::kSamples; ++i) {
      QCOMPARE(rig.display.LineHistory()[i], Levels(static_cast<std::uint8_t>((50 + i) % 32)));
    }
  }

  // Writes a failed port did not send leave the trace again, also more than it
  // shows: the bytes before them come back, and before the first byte the
  // lines were all low.
  void TakingBackWritesBringsTheEarlierOnesBack() {
    Rig rig;
    for (int k = 0; k < 400; ++k) rig.Write(static_cast<std::uint8_t>(k % 32));
    rig.display.TakeBack(1);
    for (int i = 0; i < LineDisplay::kSamples; ++i) {
      QCOMPARE(rig.display.LineHistory()[i], Levels(static_cast<std::uint8_t>((299 + i) % 32)));
    }
    QCOMPARE(rig.LampColors(), rig.ColorsOf(398 % 32));
    rig.display.TakeBack(250);
    for (int i = 0; i < LineDisplay::kSamples; ++i) {
      QCOMPARE(rig.display.LineHistory()[i], Levels(static_cast<std::uint8_t>((49 + i) % 32)));
    }
    QCOMPARE(rig.LampColors(), rig.ColorsOf(148 % 32));
    rig.display.TakeBack(120);
    for (int i = 0; i < 71; ++i) QCOMPARE(rig.display.LineHistory()[i], Levels(0));
    for (int i = 71; i < LineDisplay::kSamples; ++i) {
      QCOMPARE(rig.display.LineHistory()[i], Levels(static_cast<std::uint8_t>(i - 71)));
    }
    QCOMPARE(rig.LampColors(), rig.ColorsOf(28));
  }

  void UnusedBitsDrawAndLightLikeTheSameByteWithoutThem() {
    Rig withBits;
    Rig without;
    for (std::uint8_t value : {0xE5, 0x3A, 0x80}) withBits.Write(value);
    for (std::uint8_t value : {0x05, 0x1A, 0x00}) without.Write(value);
    QCOMPARE(withBits.display.LineHistory(), without.display.LineHistory());
    QCOMPARE(withBits.LampColors(), without.LampColors());
    QCOMPARE(withBits.picture->Image(), without.picture->Image());
  }

  // --- Trace drawing ---

  void ClockPulsesAreLevelsWithoutVerticalStrokes() {
    Rig rig;
    for (std::uint8_t value : {0x01, 0x00, 0x01}) rig.Write(value);
    const QColor bright(0, 255, 0);
    const QColor dark(0, 64, 0);
    const int high = rig.Row(8);
    const int low = rig.Row(0);
    const bool levels[] = {true, false, true};
    for (int k = 0; k < 3; ++k) {
      const int sample = 97 + k;
      // Each sample owns its columns alone: from its start up to the next start.
      for (int column = rig.Column(sample); column < rig.Column(sample + 1); ++column) {
        QCOMPARE(rig.Pixel(column, high), levels[k] ? bright : dark);
        QCOMPARE(rig.Pixel(column, low), levels[k] ? dark : bright);
        for (int row = high + 1; row < low; ++row) QCOMPARE(rig.Pixel(column, row), dark);
      }
    }
  }

  void MappingCoversTheDrawingAreaInsideTheBorder() {
    Rig rig;
    QCOMPARE(rig.picture->ToPixel(0, 49), QPoint(0, 0));
    QCOMPARE(rig.picture->ToPixel(100, -1), QPoint(461, 177));
    QCOMPARE(rig.picture->ToScale(QPointF(0, 0)), QPointF(0, 49));
    QCOMPARE(rig.picture->ToScale(QPointF(461, 177)), QPointF(100, -1));
  }

  // --- Pointer readout and cursor ---

  void ReadoutTakesTheSampleUnderThePointer() {
    Rig rig;
    rig.Write(0x15);
    for (int k = 0; k < 98; ++k) rig.Write(0x00);
    rig.Write(0x0A);
    rig.Move(0, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x15));
    rig.Move(100, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x0A));
    rig.Move(50.5f, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x00));
    rig.Move(0.99f, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x15));
    rig.Move(1, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x00));
    rig.Move(99.99f, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x0A));
  }

  void CursorIsAnExclusiveOrLineThatASecondDrawRemoves() {
    Rig rig;
    rig.Write(0x10);
    const QImage before = rig.picture->Image();
    rig.Move(50, 20);
    QVERIFY(rig.picture->HasCapture());
    QCOMPARE(rig.display.CursorX(), 50.0f);
    const QImage drawn = rig.picture->Image();
    const int column = rig.Column(50);
    int whitened = 0;
    for (int row = 0; row < drawn.height(); ++row) {
      for (int x = 0; x < drawn.width(); ++x) {
        if (drawn.pixel(x, row) == before.pixel(x, row)) continue;
        QCOMPARE(x, column);
        QCOMPARE(drawn.pixel(x, row), before.pixel(x, row) ^ 0x00FFFFFFu);
        ++whitened;
      }
    }
    // Dotted, from the bottom of the SCLK lane up to the top edge.
    QVERIFY(whitened > 20);
    QVERIFY(whitened < rig.Row(0));
    QCOMPARE(drawn.pixel(column, 0) != before.pixel(column, 0) ||
                 drawn.pixel(column, 1) != before.pixel(column, 1) ||
                 drawn.pixel(column, 2) != before.pixel(column, 2),
             true);
    // Moving to the same place erases and draws again: the same picture.
    rig.Move(50, 20);
    QCOMPARE(rig.picture->Image(), drawn);
    rig.Move(120, 20);
    QCOMPARE(rig.picture->Image(), before);
  }

  void MovingTheCursorLeavesOnlyTheNewLine() {
    Rig moved;
    Rig direct;
    moved.Move(50, 20);
    moved.Move(30.25f, 10);
    direct.Move(30.25f, 10);
    QCOMPARE(moved.picture->Image(), direct.picture->Image());
    QCOMPARE(moved.display.CursorX(), 30.25f);
  }

  void LeavingByAnyEdgeEndsTracking_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("left") << -0.01f << 20.0f;
    QTest::newRow("right") << 100.01f << 20.0f;
    QTest::newRow("bottom") << 50.0f << -1.01f;
    QTest::newRow("top") << 50.0f << 49.01f;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 20.0f;
  }
  void LeavingByAnyEdgeEndsTracking() {
    QFETCH(float, x);
    QFETCH(float, y);
    Rig rig;
    rig.Write(0x1F);
    rig.global.OutputByte = 0x0B;
    const QImage before = rig.picture->Image();
    rig.Move(99.5f, 20);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x1F));
    rig.Move(x, y);
    QCOMPARE(rig.picture->Image(), before);
    QVERIFY(!rig.picture->HasCapture());
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x0B));
    QCOMPARE(rig.display.CursorX(), LineDisplay::kNoCursor);
    QCOMPARE(rig.picture->GetDrawMode(), TracePicture::DrawMode::Copy);
    QCOMPARE(rig.picture->GetDrawStyle(), TracePicture::DrawStyle::Solid);
  }

  void EdgesThemselvesAreInside_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("left") << 0.0f << 20.0f;
    QTest::newRow("right") << 100.0f << 20.0f;
    QTest::newRow("bottom") << 50.0f << -1.0f;
    QTest::newRow("top") << 50.0f << 49.0f;
  }
  void EdgesThemselvesAreInside() {
    QFETCH(float, x);
    QFETCH(float, y);
    Rig rig;
    rig.Move(70, 20);
    rig.Move(x, y);
    QVERIFY(rig.picture->HasCapture());
    QCOMPARE(rig.display.CursorX(), x);
  }

  void RedrawWhileTrackingKeepsTheCursorInStep() {
    Rig tracked;
    Rig reference;
    tracked.Move(40, 20);
    tracked.Write(0x03);
    reference.Write(0x03);
    const QImage clean = reference.picture->Image();
    reference.Move(40, 20);
    // The cursor is back at CursorX after the redraw ...
    QCOMPARE(tracked.display.CursorX(), 40.0f);
    QCOMPARE(tracked.picture->Image(), reference.picture->Image());
    QCOMPARE(tracked.LampColors(), tracked.ColorsOf(0x03));
    // ... so the next moves leave no stray line.
    tracked.Move(60, 20);
    reference.Move(60, 20);
    QCOMPARE(tracked.picture->Image(), reference.picture->Image());
    tracked.Move(-5, 20);
    QCOMPARE(tracked.picture->Image(), clean);
  }

  void InitialiseEndsTracking() {
    Rig rig;
    const QImage clean = rig.picture->Image();
    rig.Move(40, 20);
    rig.display.Initialise();
    QVERIFY(!rig.picture->HasCapture());
    QCOMPARE(rig.display.CursorX(), LineDisplay::kNoCursor);
    QCOMPARE(rig.picture->Image(), clean);
  }

  void EndTrackingActsAsIfThePointerLeft() {
    Rig rig;
    rig.global.OutputByte = 0x12;
    rig.Write(0x05);
    const QImage clean = rig.picture->Image();
    rig.display.EndTracking();  // not tracking: nothing changes
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x05));
    QCOMPARE(rig.picture->Image(), clean);

    rig.Move(30, 20);
    QVERIFY(rig.picture->HasCapture());
    rig.display.EndTracking();
    QVERIFY(!rig.picture->HasCapture());
    QCOMPARE(rig.display.CursorX(), LineDisplay::kNoCursor);
    QCOMPARE(rig.picture->Image(), clean);
    QCOMPARE(rig.LampColors(), rig.ColorsOf(0x12));
  }

  void PictureReportsLostInputOnlyWhileItHoldsTheCapture() {
    Rig rig;
    QSignalSpy spy(rig.picture, &TracePicture::InputLost);
    for (const QEvent::Type type :
         {QEvent::WindowBlocked, QEvent::WindowDeactivate, QEvent::Hide}) {
      QEvent lost(type);
      QCoreApplication::sendEvent(rig.picture, &lost);
      QCOMPARE(spy.count(), 0);
      rig.picture->SetCapture();
      QCoreApplication::sendEvent(rig.picture, &lost);
      QCOMPARE(spy.count(), 1);
      rig.picture->ReleaseCapture();
      spy.clear();
    }
  }

  void PositionsFarOffOrNotNumbersAreHarmless() {
    Rig rig;
    const QImage clean = rig.picture->Image();
    const float inf = std::numeric_limits<float>::infinity();
    rig.Move(std::numeric_limits<float>::quiet_NaN(), 20);
    QVERIFY(!rig.picture->HasCapture());
    rig.Move(inf, -inf);
    QVERIFY(!rig.picture->HasCapture());
    rig.Move(1e30f, -1e30f);
    QVERIFY(rig.picture->HasCapture());
    rig.Move(-1e30f, 1e30f);
    QVERIFY(!rig.picture->HasCapture());
    QCOMPARE(rig.picture->Image(), clean);
  }

  // --- The picture as a widget ---

  void PictureReportsMovesInVisualiserUnits() {
    Rig rig;
    QSignalSpy spy(rig.picture, &TracePicture::MouseMove);
    // Inside the border, pixel (0, 0) of the drawing area is the top left corner.
    QMouseEvent inside(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                       Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(rig.picture, &inside);
    QMouseEvent outside(QEvent::MouseMove, QPointF(463, 179), QPointF(463, 179), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.picture, &outside);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy[0][0].value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(spy[0][1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(spy[0][2].toFloat(), 0.0f);
    QCOMPARE(spy[0][3].toFloat(), 49.0f);
    QCOMPARE(spy[1][2].toFloat(), 100.0f);
    QCOMPARE(spy[1][3].toFloat(), -1.0f);
  }

  void CaptureGrabsThePointerWhileShown() {
    Rig rig;
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    rig.Move(50, 20);
    QCOMPARE(QWidget::mouseGrabber(), rig.picture);
    rig.Move(50, 60);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(!rig.picture->HasCapture());
  }

  void PaintShowsTheDrawingInsideTheBorder() {
    Rig rig;
    rig.Write(0x10);
    const QImage shown = rig.picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(465, 181));
    QCOMPARE(shown.copy(2, 2, 461, 177), rig.picture->Image());
  }
};

}  // namespace quorvane::port

QTEST_MAIN(quorvane::port::LineDisplayTest)
#include "LineDisplayTest.moc"
