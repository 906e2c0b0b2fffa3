// The exact texts of built step lines, and what a selected line shows.

#include <QTest>

#include "EditorTests.h"
#include "ui/editor/StepBuilders.h"
#include "ui/editor/StepReadout.h"

namespace quorvane::testing {
namespace {

using ui::LineLevels;
using ui::StepFrame;

LineLevels Levels(int mask) {
  LineLevels levels{};
  for (std::size_t line = 0; line < levels.size(); ++line) levels[line] = (mask >> line) & 1;
  return levels;
}

int Mask(const LineLevels& levels) {
  int mask = 0;
  for (std::size_t line = 0; line < levels.size(); ++line) mask |= levels[line] << line;
  return mask;
}

}  // namespace

class StepLinesTest final : public QObject {
  Q_OBJECT

 private slots:
  void StaticBitsLine_data() {
    QTest::addColumn<int>("checked");
    QTest::addColumn<QString>("line");
    QTest::newRow("nothing checked") << 0 << "SB, 0";
    QTest::newRow("SCLK, D/C, RESET") << 21 << "SB, 21";
    QTest::newRow("SDA only") << 2 << "SB, 2";
    QTest::newRow("all five") << 31 << "SB, 31";
  }
  void StaticBitsLine() {
    QFETCH(int, checked);
    QFETCH(QString, line);
    QCOMPARE(QString::fromStdString(ui::StaticBitsLine(Levels(checked))), line);
  }

  void DelayLine_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("line");  // empty: refused
    QTest::newRow("10") << "10"
                        << "DL, 10";
    QTest::newRow("empty box") << ""
                               << "DL, 0";
    QTest::newRow("negative") << "-5"
                              << "DL,-5";
    QTest::newRow("half down to even") << "2.5"
                                       << "DL, 2";
    QTest::newRow("half up to even") << "3.5"
                                     << "DL, 4";
    QTest::newRow("blank inside") << "1 5"
                                  << "DL, 15";
    QTest::newRow("unit after") << "12ms"
                                << "DL, 12";
    QTest::newRow("no number") << "abc"
                               << "DL, 0";
    QTest::newRow("hexadecimal") << "&H10"
                                 << "DL, 16";
    QTest::newRow("largest") << "32767"
                             << "DL, 32767";
    QTest::newRow("smallest") << "-32768"
                              << "DL,-32768";
    QTest::newRow("too large") << "32768"
                               << "";
    QTest::newRow("rounds past the top") << "32767.5"
                                         << "";
    QTest::newRow("too small") << "-32769"
                               << "";
    QTest::newRow("overflowing exponent") << "1e999"
                                          << "";
  }
  void DelayLine() {
    QFETCH(QString, box);
    QFETCH(QString, line);
    const auto built = ui::DelayLine(box.toStdString());
    QCOMPARE(built.has_value(), !line.isEmpty());
    if (built) QCOMPARE(QString::fromStdString(*built), line);
  }

  void TransmitLine_data() {
    QTest::addColumn<int>("checked");
    QTest::addColumn<bool>("highToLow");
    QTest::addColumn<bool>("msbFirst");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("nothing touched") << 0 << false << false << ""
                                     << "TX, 0,SL,DL,";
    QTest::newRow("D/C, rising, MSB first") << 4 << false << true << ""
                                            << "TX, 4,SL,DH,";
    QTest::newRow("CS, D/C, falling, LSB first, 200") << 12 << true << false << "200"
                                                      << "TX, 12,SH,DL,200";
    QTest::newRow("value trimmed") << 28 << true << true << "  200 "
                                   << "TX, 28,SH,DH,200";
    QTest::newRow("value with commas") << 16 << false << false << "1,2"
                                       << "TX, 16,SL,DL,1,2";
    QTest::newRow("SCLK and SDA never count") << 3 << false << false << ""
                                              << "TX, 0,SL,DL,";
  }
  void TransmitLine() {
    QFETCH(int, checked);
    QFETCH(bool, highToLow);
    QFETCH(bool, msbFirst);
    QFETCH(QString, value);
    QFETCH(QString, line);
    const ui::TransmitInputs inputs{Levels(checked), highToLow, msbFirst, value.toStdString()};
    QCOMPARE(QString::fromStdString(ui::TransmitLine(inputs)), line);
  }

  void ReadStepLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<int>("levels");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<bool>("highToLow");
    QTest::addColumn<bool>("msbFirst");
    QTest::addColumn<QString>("value");
    const int bits = int(StepFrame::Bits), delay = int(StepFrame::Delay);
    const int tx = int(StepFrame::Transmit), none = int(StepFrame::None);
    QTest::newRow("SB, 21") << "SB, 21" << bits << true << 21 << "" << false << false << "";
    QTest::newRow("SB,21") << "SB,21" << bits << true << 21 << "" << false << false << "";
    QTest::newRow("SB, 255 shows five")
        << "SB, 255" << bits << true << 31 << "" << false << false << "";
    QTest::newRow("SB, -1") << "SB, -1" << bits << true << 31 << "" << false << false << "";
    QTest::newRow("SB alone") << "SB" << bits << true << 0 << "" << false << false << "";
    QTest::newRow("SB, 40000") << "SB, 40000" << bits << false << 0 << "" << false << false << "";
    QTest::newRow("SB, 1e999") << "SB, 1e999" << bits << false << 0 << "" << false << false << "";
    QTest::newRow("SB, 0x19") << "SB, 0x19" << bits << true << 25 << "" << false << false << "";
    QTest::newRow("SB,abc") << "SB,abc" << bits << false << 0 << "" << false << false << "";
    QTest::newRow("SB, 21,5") << "SB, 21,5" << bits << true << 21 << "" << false << false << "";
    QTest::newRow("DL, 10") << "DL, 10" << delay << true << 0 << "10" << false << false << "";
    QTest::newRow("DL,abc") << "DL,abc" << delay << true << 0 << "abc" << false << false << "";
    QTest::newRow("DL, 40000 as text")
        << "DL, 40000" << delay << true << 0 << "40000" << false << false << "";
    QTest::newRow("TX, 12,SH,DL,200")
        << "TX, 12,SH,DL,200" << tx << true << 12 << "" << true << false << "200";
    QTest::newRow("TX, 4,SL,DH,") << "TX, 4,SL,DH," << tx << true << 4 << "" << false << true << "";
    QTest::newRow("TX, 4,SL,DH,1,2")
        << "TX, 4,SL,DH,1,2" << tx << true << 4 << "" << false << true << "1,2";
    QTest::newRow("TX, 31 hides SCLK and SDA")
        << "TX, 31,SH,DH," << tx << true << 28 << "" << true << true << "";
    QTest::newRow("TX, zz") << "TX, zz,SL,DH," << tx << false << 0 << "" << false << true << "";
    QTest::newRow("TX alone") << "TX" << tx << true << 0 << "" << false << false << "";
    QTest::newRow("TX, 70000") << "TX, 70000,SH,DH,5" << tx << false << 0 << "" << true << true
                               << "5";
    QTest::newRow("lower case") << "sb, 3" << none << true << 0 << "" << false << false << "";
    QTest::newRow("blank line") << "" << none << true << 0 << "" << false << false << "";
    QTest::newRow("no comma") << "SB 21" << none << true << 0 << "" << false << false << "";
  }
  void ReadStepLine() {
    QFETCH(QString, line);
    QFETCH(int, frame);
    QFETCH(bool, inRange);
    QFETCH(int, levels);
    QFETCH(QString, delay);
    QFETCH(bool, highToLow);
    QFETCH(bool, msbFirst);
    QFETCH(QString, value);
    const ui::StepReadout readout = ui::ReadStepLine(line.toStdString());
    QCOMPARE(int(readout.frame), frame);
    QCOMPARE(readout.inRange, inRange);
    QCOMPARE(Mask(readout.levels), levels);
    QCOMPARE(QString::fromStdString(readout.delayText), delay);
    QCOMPARE(readout.highToLow, highToLow);
    QCOMPARE(readout.msbFirst, msbFirst);
    QCOMPARE(QString::fromStdString(readout.value), value);
  }
};

int RunStepLinesTest(int argc, char** argv) {
  StepLinesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quorvane::testing

#include "StepLinesTest.moc"
