// What the step list shows: its lines readable on the yellow of edit mode,
// and new lines of a long list scrolled into view.

#include <QTest>
#include <cmath>

#include "EditorRig.h"
#include "EditorTests.h"

namespace quorvane::testing {
namespace {

// Relative luminance and contrast ratio as the web's accessibility
// guidelines define them; 4.5:1 is their minimum for text.
double Luminance(QRgb colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
         0.0722 * channel(qBlue(colour));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast between a pixel of the row's text and the row's
// background, read at the row's right end where no text reaches.
double TextContrast(const QImage& list, const QRect& row) {
  const QRgb background = list.pixel(row.right() - 2, row.center().y());
  double strongest = 1.0;
  for (int y = row.top(); y <= row.bottom(); ++y) {
    for (int x = row.left(); x < row.left() + row.width() / 2; ++x) {
      strongest = std::max(strongest, Contrast(list.pixel(x, y), background));
    }
  }
  return strongest;
}

bool Shows(const QListWidget* list, int row) {
  return list->viewport()->rect().contains(list->visualItemRect(list->item(row)));
}

}  // namespace

class EditorLookTest final : public QObject {
  Q_OBJECT

 private slots:
  void LinesInEditModeAreReadable() {
    EditorRig rig;
    rig.OpenWith({"SB, 21", "TX, 28,SH,DH,255", "DL, 10"});
    rig.Select(1);
    rig.Press("cmdEdit");
    QVERIFY(rig.InEditMode());
    const QImage list = rig.List()->viewport()->grab().toImage();
    QCOMPARE(QColor(list.pixel(list.width() - 4, list.height() - 4)), QColor(255, 255, 0));
    for (const int row : {0, 1, 2}) {
      const QRect rect = rig.List()->visualItemRect(rig.List()->item(row));
      const double contrast = TextContrast(list, rect);
      QVERIFY2(contrast >= 4.5, qPrintable(QString("row %1: %2:1").arg(row).arg(contrast)));
    }
  }

  void NewLinesOfALongListScrollIntoView() {
    QStringList lines;
    for (int n = 0; n < 100; ++n) lines << QString("DL, %1").arg(n);
    EditorRig rig;
    rig.OpenWith(lines);
    QVERIFY(Shows(rig.List(), 0));
    rig.Press("cmdAddBits");
    QCOMPARE(rig.List()->count(), 101);
    QVERIFY2(Shows(rig.List(), 100), "an appended line shows");

    rig.Select(50);
    rig.List()->scrollToTop();
    rig.Press("cmdAdd");
    QVERIFY2(Shows(rig.List(), 50), "an inserted blank line shows");

    rig.Press("cmdEdit");
    rig.List()->scrollToBottom();
    rig.Text("txtDelay")->setText("77");
    rig.Press("cmdAddDelay");
    QCOMPARE(rig.List()->item(51)->text(), QString("DL, 77"));
    QVERIFY2(Shows(rig.List(), 51), "a replaced line shows");
  }
};

int RunEditorLookTest(int argc, char** argv) {
  EditorLookTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "EditorLookTest.moc"
