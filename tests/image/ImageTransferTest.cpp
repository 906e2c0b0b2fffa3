// The image frame of the main window and the image window: choosing and
// refusing pictures, the threshold slider, sending, and the picture series.

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "MainWindowRig.h"
#include "TestPictures.h"
#include "image/ImageSurface.h"
#include "image/frmImage.h"
#include "port/LineDisplay.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/ApplicationLook.h"

using namespace quorvane::testing;

namespace {

// A picture file made in code: the left half black, the right half white.
std::string WriteHalves(MainWindowRig& rig, const char* name, int width, int height,
                        const char* format) {
  return SavePicture(BlackWhere(width, height, [&](int x, int) { return x < width / 2; }),
                     rig.folder.File(name), format);
}

std::string WriteSolid(const std::string& path, QColor colour, const char* format = "BMP") {
  return SavePicture(PictureOf(84, 48, [&](int, int) { return colour.rgb(); }), path, format);
}

void ChoosePicture(MainWindowRig& rig, const std::string& path) {
  rig.dialogs.answers = {path};
  QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
}

// Chooses the picture and expects it refused, with one message giving the
// reason, and the path of the picture before it kept.
void ExpectRefused(MainWindowRig& rig, const std::string& path, const std::string& reason,
                   const std::string& keptPath) {
  rig.messages.shown.clear();
  ChoosePicture(rig, path);
  QCOMPARE(rig.messages.shown.size(), std::size_t{1});
  QCOMPARE(rig.messages.shown[0].prompt,
           QString::fromStdString("The picture " + path + " cannot be loaded: " + reason + "."));
  QCOMPARE(rig.Find<QLineEdit>("txtFile")->text(), QString::fromStdString(keptPath));
}

const QImage& Surface(const MainWindowRig& rig) {
  return rig.window->ImageWindow()->picImage()->Image();
}

// A 32-bit bitmap with an alpha channel (the version 5 header with bit
// masks, as common painting programs write it): red, its centre transparent.
std::string WriteRedWithTransparentCentre(const MainWindowRig& rig) {
  constexpr int kWidth = 20, kHeight = 10, kHeaderSize = 124, kPixelsAt = 14 + kHeaderSize;
  std::string file;
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put('B' | 'M' << 8, 2), put(kPixelsAt + kWidth * kHeight * 4, 4), put(0, 4), put(kPixelsAt, 4);
  put(kHeaderSize, 4), put(kWidth, 4), put(kHeight, 4), put(1, 2), put(32, 2);
  put(3, 4), put(kWidth * kHeight * 4, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
  put(0x00FF0000, 4), put(0x0000FF00, 4), put(0x000000FF, 4), put(0xFF000000, 4);
  put(0x73524742, 4);  // 'sRGB'
  file += std::string(kHeaderSize - 56, '\0');
  for (int row = 0; row < kHeight; ++row) {  // bottom row first
    for (int column = 0; column < kWidth; ++column) {
      const bool centre = row >= 3 && row < 7 && column >= 5 && column < 15;
      put(centre ? 0x00000000 : 0xFFFF0000, 4);  // blue, green, red, alpha
    }
  }
  return rig.folder.Write("red-window.bmp", file);
}

// A picture file of pixels that do not compress, so that a cut leaves pixel
// rows out.
std::string WriteNoise(MainWindowRig& rig, const char* name, int width, int height) {
  const auto noise = [seed = std::uint32_t{1}](int, int) mutable {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  return SavePicture(PictureOf(width, height, noise), rig.folder.File(name), "PNG");
}

// A PNG file of width × height pixels, 8-bit RGB, whose pixel data is a
// few bytes: its header chunk, an image data chunk and the end chunk, each
// with its CRC-32.
std::string PngBomb(std::uint32_t width, std::uint32_t height) {
  std::string file("\x89PNG\r\n\x1A\n", 8);
  const auto put32 = [&](std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) file += static_cast<char>((value >> shift) & 0xFF);
  };
  const auto chunk = [&](const char* type, const std::string& data) {
    put32(static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file += type + data;
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = start; i < file.size(); ++i) {
      crc ^= static_cast<std::uint8_t>(file[i]);
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put32(~crc);
  };
  std::string header;
  for (const std::uint32_t value : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8)
      header += static_cast<char>((value >> shift) & 0xFF);
  }
  chunk("IHDR", header + std::string("\x08\x02\x00\x00\x00", 5));
  chunk("IDAT", std::string("\x78\x9C\x03\x00\x00\x00\x00\x01", 8));
  chunk("IEND", "");
  return file;
}

// A JPEG picture as a camera writes it: the picture, then a trailer.
std::string WriteJpegWithTrailer(MainWindowRig& rig) {
  const std::string path = WriteHalves(rig, "trailer.jpg", 200, 100, "JPEG");
  std::string trailer =
      "\0\0\0\x18"
      "ftypmp42";
  trailer.resize(1000, 'v');
  std::ofstream(path, std::ios::binary | std::ios::app) << trailer;
  return path;
}

}  // namespace

class ImageTransferTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::ApplyApplicationLook(); }

  void SurfaceStartsInTheButtonFaceColour() {
    MainWindowRig rig;
    auto* surface = rig.window->ImageWindow()->picImage();
    QCOMPARE(surface->Image().size(), QSize(84, 48));
    QCOMPARE(surface->geometry(), QRect(4, 4, 105, 68));
    QCOMPARE(surface->SurfaceRect(), QRect(10, 10, 84, 48));
    QCOMPARE(QColor(surface->Image().pixel(40, 20)), surface->palette().color(QPalette::Button));
    QCOMPARE(rig.window->ImageWindow()->size(), QSize(113, 77));
  }

  void ChoosingAPictureStretchesItOntoTheSurface() {
    MainWindowRig rig;
    const std::string bitmap = WriteHalves(rig, "halves.bmp", 10, 4, "BMP");
    const std::string jpeg = WriteHalves(rig, "halves.jpg", 200, 100, "JPEG");
    const std::string png = WriteHalves(rig, "halves.png", 168, 96, "PNG");
    auto* txtFile = rig.Find<QLineEdit>("txtFile");
    auto* area = rig.window->ImageWindow()->picImage();
    const QImage& surface = area->Image();
    QCOMPARE(area->toolTip(), QString());

    rig.dialogs.answers = {bitmap, "", jpeg, png};
    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    QCOMPARE(txtFile->text(), QString::fromStdString(bitmap));
    QCOMPARE(qGray(surface.pixel(5, 24)), 0);     // left half black
    QCOMPARE(qGray(surface.pixel(78, 24)), 255);  // right half white, across the whole width
    QCOMPARE(area->toolTip(), QString("halves.bmp, 10 × 4 pixels"));  // the picture's own size

    const QImage before = surface.copy();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);  // cancelled
    QCOMPARE(txtFile->text(), QString::fromStdString(bitmap));
    QVERIFY(surface == before);

    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    QCOMPARE(txtFile->text(), QString::fromStdString(jpeg));
    QVERIFY(qGray(surface.pixel(2, 2)) < 40);
    QVERIFY(qGray(surface.pixel(81, 45)) > 215);
    QCOMPARE(area->toolTip(), QString("halves.jpg, 200 × 100 pixels"));

    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    QCOMPARE(txtFile->text(), QString::fromStdString(png));
    QCOMPARE(qGray(surface.pixel(5, 24)), 0);
    QCOMPARE(qGray(surface.pixel(78, 24)), 255);
    QCOMPARE(area->toolTip(), QString("halves.png, 168 × 96 pixels"));
    QCOMPARE(rig.window->ImageWindow()->windowTitle(), QString("Image"));
    QVERIFY(rig.messages.shown.empty());
  }

  void RefusedPicturesKeepThePreviousPictureAndPath() {
    MainWindowRig rig;
    const std::string good = WriteHalves(rig, "good.bmp", 84, 48, "BMP");
    const std::string ppm = WriteHalves(rig, "other.ppm", 8, 8, "PPM");
    QFile::copy(QString::fromStdString(ppm), QString::fromStdString(rig.folder.File("ppm.bmp")));
    const std::string damaged = rig.folder.File("damaged.bmp");
    {
      QFile whole(QString::fromStdString(good));
      QVERIFY(whole.open(QIODevice::ReadOnly));
      rig.folder.Write("damaged.bmp", whole.read(70).toStdString());  // header, then cut off
    }
    // A PNG picture cut off inside its pixel data, and one whose header
    // promises 60,000 × 60,000 pixels.
    WriteNoise(rig, "whole.png", 84, 48);
    const std::string wholePng = rig.folder.Read("whole.png");
    const std::string cutPng = rig.folder.Write("cut.png", wholePng.substr(0, wholePng.size() / 2));
    const std::string pngBomb = rig.folder.Write("bomb.png", PngBomb(60000, 60000));
    // A bitmap header that promises 20,000 × 20,000 pixels in a file of 60 bytes.
    const std::string bombPath =
        rig.folder.Write("bomb.bmp", BitmapHeader(20000, 20000, 60) + std::string(6, '\0'));

    rig.dialogs.answers = {good};
    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    const QImage before = rig.window->ImageWindow()->picImage()->Image().copy();

    struct Refused {
      std::string path;
      const char* reason;
    };
    const Refused cases[] = {
        {rig.folder.File("missing.bmp"), "does not exist"},
        {damaged, "damaged"},
        {rig.folder.File("ppm.bmp"), "not a bitmap, JPEG or PNG picture"},
        {bombPath, "too large"},
        {cutPng, "damaged"},
        {pngBomb, "too large"},
    };
    for (const Refused& c : cases) {
      rig.messages.shown.clear();
      rig.dialogs.answers = {c.path};
      QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
      QCOMPARE(rig.messages.shown.size(), std::size_t{1});
      const QString message = rig.messages.shown[0].prompt;
      QVERIFY2(message.contains(QString::fromStdString(c.path)), qPrintable(message));
      QVERIFY2(message.contains(c.reason), qPrintable(message));
      QCOMPARE(rig.Find<QLineEdit>("txtFile")->text(), QString::fromStdString(good));
      QVERIFY(rig.window->ImageWindow()->picImage()->Image() == before);
      QCOMPARE(rig.window->ImageWindow()->picImage()->toolTip(),
               QString("good.bmp, 84 × 48 pixels"));
    }
  }

  void SliderSetsTheThreshold() {
    MainWindowRig rig;
    auto* slider = rig.Find<QScrollBar>("scrSoglia");
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 32767);
    QCOMPARE(slider->singleStep(), 1);
    QCOMPARE(slider->pageStep(), 100);
    QCOMPARE(slider->geometry(), QRect(84, 8, 201, 5));
    slider->setValue(32767);
    QCOMPARE(rig.window->ImageThreshold(), 32767000);
    slider->setValue(0);
    QCOMPARE(rig.window->ImageThreshold(), 0);
  }

  void SendingScansTheSurfaceIntoDataBytes() {
    MainWindowRig rig;
    rig.dialogs.answers = {WriteSolid(rig.folder.File("white.bmp"), Qt::white)};
    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    const auto historyBefore = rig.window->LineDisplay().LineHistory();

    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendImage"), Qt::LeftButton);
    QCOMPARE(rig.DataWrites().size(), std::size_t{504 * 18});
    QCOMPARE(rig.SentBytes(), std::vector<std::string>(504, "d255"));
    QVERIFY(rig.window->LineDisplay().LineHistory() == historyBefore);  // no display work

    // Above position 16777 every pixel is a 0; at 0 every pixel is a 1.
    rig.Find<QScrollBar>("scrSoglia")->setValue(16778);
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendImage"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), std::vector<std::string>(504, "d0"));

    rig.dialogs.answers = {WriteSolid(rig.folder.File("black.jpg"), Qt::black, "JPEG")};
    QTest::mouseClick(rig.Find<QPushButton>("cmdSfoglia"), Qt::LeftButton);
    rig.Find<QScrollBar>("scrSoglia")->setValue(0);
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendImage"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), std::vector<std::string>(504, "d255"));
  }

  void SeriesSendsUntilTheFirstMissingFile() {
    MainWindowRig rig;
    std::filesystem::create_directory(rig.folder.Path() / "images");
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdMulti"), Qt::LeftButton);
    QCOMPARE(rig.messages.beeps, 1);
    QVERIFY(rig.port.Writes().empty());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    const QColor colours[] = {Qt::white, Qt::black, Qt::white};
    for (int n = 0; n < 3; ++n) {
      WriteSolid(rig.folder.File("images/lcd_" + std::to_string(n) + ".bmp"), colours[n]);
    }
    WriteSolid(rig.folder.File("images/lcd_4.bmp"), Qt::white);  // after the gap: never sent
    QTest::mouseClick(rig.Find<QPushButton>("cmdMulti"), Qt::LeftButton);
    QCOMPARE(rig.messages.beeps, 2);
    const auto sent = rig.SentBytes();
    QCOMPARE(sent.size(), std::size_t{3 * 504});
    QCOMPARE(sent[0], std::string("d255"));
    QCOMPARE(sent[504], std::string("d0"));
    QCOMPARE(sent[1008], std::string("d255"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(rig.messages.shown.empty());
    // The last frame stays on the surface; the chosen path is not touched.
    QCOMPARE(qGray(rig.window->ImageWindow()->picImage()->Image().pixel(1, 1)), 255);
    QCOMPARE(rig.Find<QLineEdit>("txtFile")->text(), QString());
  }

  void JpegPicturesWithATrailerLoadAndCutOnesAreRefused() {
    MainWindowRig rig;
    const std::string withTrailer = WriteJpegWithTrailer(rig);
    ChoosePicture(rig, withTrailer);
    QVERIFY2(rig.messages.shown.empty(),
             rig.messages.shown.empty() ? "" : qPrintable(rig.messages.shown[0].prompt));
    QCOMPARE(rig.Find<QLineEdit>("txtFile")->text(), QString::fromStdString(withTrailer));
    QVERIFY(qGray(Surface(rig).pixel(2, 2)) < 40);
    QVERIFY(qGray(Surface(rig).pixel(81, 45)) > 215);

    // Cut inside its scan: the decoder alone would show the missing rows grey.
    const QImage before = Surface(rig).copy();
    WriteHalves(rig, "whole.jpg", 200, 100, "JPEG");
    const std::string whole = rig.folder.Read("whole.jpg");
    const std::string cut = rig.folder.Write("cut.jpg", whole.substr(0, whole.size() * 3 / 5));
    QVERIFY2(!QImage(QString::fromStdString(cut)).isNull(), "the decoder alone takes it");
    ExpectRefused(rig, cut, "the picture is damaged (the file ends inside its picture data)",
                  withTrailer);
    QVERIFY(Surface(rig) == before);
  }

  void TransparentPixelsShowWhiteWhateverWasLoadedBefore() {
    MainWindowRig fresh;
    ChoosePicture(fresh, WriteRedWithTransparentCentre(fresh));
    QVERIFY(fresh.messages.shown.empty());
    QCOMPARE(QColor(Surface(fresh).pixel(42, 24)), QColor(Qt::white));
    QCOMPARE(QColor(Surface(fresh).pixel(1, 1)), QColor(Qt::red));
    fresh.Clear();
    QTest::mouseClick(fresh.Find<QPushButton>("cmdSendImage"), Qt::LeftButton);
    const auto freshBytes = fresh.SentBytes();

    MainWindowRig rig;
    ChoosePicture(rig, WriteSolid(rig.folder.File("black.bmp"), Qt::black));
    ChoosePicture(rig, WriteRedWithTransparentCentre(rig));
    QVERIFY(Surface(rig) == Surface(fresh));
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdSendImage"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes(), freshBytes);
    // Red is below the start-up threshold, the white centre above it.
    // The centre is 42 columns wide and fills four bands.
    QCOMPARE(std::count(freshBytes.begin(), freshBytes.end(), "d0"), 504 - 4 * 42);
  }

  void SeriesEndsAtTheFirstFrameWhoseSendReportsAProblem() {
    MainWindowRig rig(false);
    rig.folder.Write("2.evnt", "Send data\r\nSB, 25\r\nTX, 20,SL,DH,\r\nSB, 300\r\n");
    rig.Load();
    std::filesystem::create_directory(rig.folder.Path() / "images");
    for (int n = 0; n < 4; ++n) {
      WriteSolid(rig.folder.File("images/lcd_" + std::to_string(n) + ".bmp"), Qt::white);
    }
    rig.Clear();
    QTest::mouseClick(rig.Find<QPushButton>("cmdMulti"), Qt::LeftButton);
    QCOMPARE(rig.SentBytes().size(), std::size_t{504});  // the first frame only
    QCOMPARE(rig.messages.beeps, 1);
    QCOMPARE(rig.messages.shown.size(), std::size_t{1});
    const QString message = rig.messages.shown[0].prompt;
    QVERIFY2(message.startsWith(QString::fromStdString(
                 "The picture series stopped at " + rig.folder.File("images/lcd_0.bmp") + ":\n")),
             qPrintable(message));
    QVERIFY2(message.contains("SB, 300"), qPrintable(message));
    QCOMPARE(message.count('\n'), 1);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void DialogOffersJpegAndPngNamesAndAllFiles() {
    MainWindowRig rig;
    const std::string jpeg = WriteHalves(rig, "photo.jpeg", 40, 20, "JPEG");
    const std::string ppm = WriteHalves(rig, "other.ppm", 8, 8, "PPM");
    ChoosePicture(rig, jpeg);
    QCOMPARE(rig.Find<quorvane::ui::FDialog>("Dialogo")->Filters(),
             QString("BitMap (*.bmp)|*.bmp|JPeg (*.jpg *.jpeg)|*.jpg;*.jpeg|PNG (*.png)|*.png|"
                     "All files (*)|*")
                 .replace('|', QChar(u'\0')));
    QVERIFY(rig.messages.shown.empty());
    QCOMPARE(rig.Find<QLineEdit>("txtFile")->text(), QString::fromStdString(jpeg));

    ExpectRefused(rig, ppm, "it is not a bitmap, JPEG or PNG picture (it is PPM)", jpeg);
  }

  void SliderShowsItsPositionAndThreshold() {
    MainWindowRig rig;
    auto* slider = rig.Find<QScrollBar>("scrSoglia");
    auto* readout = rig.Find<QLabel>("lblSoglia");
    QVERIFY(readout != nullptr);
    QVERIFY(readout->isWindow());  // a tip window: it covers no control of the frame
    QCOMPARE(slider->toolTip(), QString("Threshold 8389 × 1000 = 8389000"));
    QVERIFY2(!readout->isVisible(), "the position set at start-up shows no tip window");

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    const int moved = slider->value();
    QCOMPARE(std::abs(moved - 8389), 1);
    QCOMPARE(rig.window->ImageThreshold(), moved * 1000);
    QVERIFY(readout->isVisible());
    QCOMPARE(readout->text(), QString("Threshold %1 × 1000 = %2").arg(moved).arg(moved * 1000));
    QCOMPARE(slider->toolTip(), readout->text());
    QVERIFY(!readout->geometry().intersects(
        slider->rect().translated(slider->mapToGlobal(QPoint(0, 0)))));

    // Dragging the handle: the readout follows every step.
    slider->setSliderDown(true);
    slider->setSliderPosition(12000);
    QCOMPARE(readout->text(), QString("Threshold 12000 × 1000 = 12000000"));
    slider->setSliderDown(false);
    QCOMPARE(rig.window->ImageThreshold(), 12000000);
    QCOMPARE(slider->toolTip(), QString("Threshold 12000 × 1000 = 12000000"));
  }
};

QTEST_MAIN(ImageTransferTest)
#include "ImageTransferTest.moc"
