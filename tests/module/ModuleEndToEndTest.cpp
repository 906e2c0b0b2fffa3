// The emulated module on the simulated port, driven by the engine through the
// shipped events: start-up, reset and the default init sequence, a picture
// through the image transfer, and events that clock wrongly.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "ModuleWire.h"
#include "RecordingSleeper.h"
#include "TempFolder.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/PictureFile.h"
#include "image/PictureScan.h"
#include "module/ModuleFeed.h"
#include "module/Panel.h"
#include "module/Pcd8544.h"
#include "platform/SimPort.h"
#include "port/OutputPort.h"
#include "port/PowerSequences.h"

namespace quorvane::module {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kDefaultInit = "33, 200, 5, 21, 32, 9, #500, 8, #500, 13";
constexpr std::int32_t kThreshold = 8389000;  // the slider's start position × 1000

struct Bench {
  explicit Bench(const std::string& folder = QUORVANE_DATA_DIR "/") {
    engine.global.ProgramFolder = folder;
    events::InitEvents(engine.global);
  }
  void Startup() { port::StartupRaiseReset(engine.global, engine.output, sleeper); }
  void Reset() { engine.interpreter.ExecuteEvent(engine.global.ResetEventSteps, 0, false); }
  void DefaultInit() { engine.writer.MultiDataWrite(kDefaultInit, true); }

  platform::SimPort sim;
  Pcd8544 module;
  ModuleFeed feed{sim, module};
  testing::RecordingSleeper sleeper;
  global::Diagnostics diagnostics;
  events::Engine engine{feed, sleeper, diagnostics};
};

// A grey ramp across the picture with a black block in the top left corner,
// so that a turned or mirrored picture cannot pass for the picture.
QImage TestPicture() {
  QImage picture(image::kSurfaceWidth, image::kSurfaceHeight, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int grey = (x * 5 + y * 9) % 256;
      picture.setPixel(x, y, x < 12 && y < 6 ? qRgb(0, 0, 0) : qRgb(grey, grey, grey));
    }
  }
  return picture;
}

void SendTestPicture(Bench& bench) {
  QImage surface(image::kSurfaceWidth, image::kSurfaceHeight, QImage::Format_RGB32);
  surface.fill(Qt::white);
  image::DrawStretched(surface, TestPicture());
  image::SendPicture(image::ImagePixels(surface), kThreshold, bench.engine.writer);
}

bool BelowThreshold(const QImage& picture, int x, int y) {
  const QRgb pixel = picture.pixel(x, y);
  return qRed(pixel) + 256 * qGreen(pixel) + 65536 * qBlue(pixel) < kThreshold;
}

// Dots whose darkness is not what the picture asks for: dark (255) exactly
// where the picture's pixel lies below the threshold, clear (0) elsewhere.
int DotsUnlikeThePicture(const PanelDots& dots) {
  const QImage picture = TestPicture();
  int unlike = 0;
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      unlike += dots.At(x, y) != (BelowThreshold(picture, x, y) ? 255 : 0);
    }
  }
  return unlike;
}

TEST(ModuleEndToEnd, StartupAndTheDefaultInitSequenceSetTheModuleUp) {
  Bench bench;
  bench.Startup();
  bench.DefaultInit();
  EXPECT_EQ(bench.module.State(),
            (ControllerState{false, false, false, DisplayMode::Inverse, 0, 0, 1, 5, 72}));
  EXPECT_EQ(bench.module.PendingBits(), 0);
  EXPECT_EQ(testing::LogLines(bench.module),
            (Lines{"command 0x21 function set: active, horizontal, extended set",
                   "command 0xC8 set Vop = 72 (7.38 V)", "command 0x05 temperature coefficient 1",
                   "command 0x15 bias system 5",
                   "command 0x20 function set: active, horizontal, basic set",
                   "command 0x09 display control: all on", "command 0x08 display control: blank",
                   "command 0x0D display control: inverse video"}));
  // Inverse video of the clear RAM: every dot dark.
  const PanelDots dots = ShownDots(bench.module, kDefaultMounting);
  for (const std::uint8_t d : dots.darkness) ASSERT_EQ(d, 255);
}

TEST(ModuleEndToEnd, TheResetEventResetsTheRegistersOnly) {
  Bench bench;
  bench.Startup();
  bench.DefaultInit();
  bench.engine.writer.MultiDataWrite("255, 1", false);
  bench.Reset();
  EXPECT_EQ(bench.module.State(), ControllerState{});
  EXPECT_EQ(bench.module.DisplayRam()[0], 255);
  EXPECT_EQ(bench.module.DisplayRam()[1], 1);
  EXPECT_EQ(testing::LogLines(bench.module).back(), "RESET low: reset state");
}

TEST(ModuleEndToEnd, ASentPictureAppearsUprightOnThePanel) {
  Bench bench;
  bench.Startup();
  bench.Reset();
  bench.DefaultInit();
  SendTestPicture(bench);
  EXPECT_EQ(bench.module.Log().Total(), 1u + 8u + 504u) << "reset, commands, data";
  EXPECT_EQ(bench.module.State().x, 0) << "504 bytes wrap the address to the start";
  EXPECT_EQ(bench.module.State().y, 0);
  EXPECT_EQ(DotsUnlikeThePicture(ShownDots(bench.module, Mounting::Rotated180)), 0);

  // Mounted the other way round the picture stands on its head.
  const PanelDots turned = ShownDots(bench.module, Mounting::Rotated0);
  const QImage picture = TestPicture();
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      ASSERT_EQ(turned.At(x, y), BelowThreshold(picture, 83 - x, 47 - y) ? 255 : 0)
          << x << "," << y;
    }
  }
}

// A data event written with one setting wrong, beside the shipped reset and
// command events.
std::string FolderWithDataEvent(const testing::TempFolder& folder, const std::string& transmit) {
  for (const char* name : {"0.evnt", "1.evnt"}) {
    std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name,
                               folder.Path() / name);
  }
  folder.Write("2.evnt",
               "Data byte, one setting wrong\r\nSB, 25\r\n" + transmit + "\r\nSB, 25\r\n");
  return folder.Folder();
}

TEST(ModuleEndToEnd, AFallingClockEdgeShowsGarbage) {
  testing::TempFolder folder;
  Bench bench(FolderWithDataEvent(folder, "TX, 20,SH,DH,"));
  bench.Startup();
  bench.Reset();
  bench.DefaultInit();
  SendTestPicture(bench);
  // SCLK still stands high from "SB, 25", so the first bit brings no edge;
  // each later bit sets SDA with the rising edge and is read one edge late:
  // seven bits, then CS drops them.
  const Lines log = testing::LogLines(bench.module);
  ASSERT_EQ(log.size(), 1u + 8u + 504u);
  EXPECT_EQ(log[9], "dropped 7 bits: CS raised");
  EXPECT_EQ(log.back(), "dropped 7 bits: CS raised");
  EXPECT_GT(DotsUnlikeThePicture(ShownDots(bench.module, kDefaultMounting)), 400);
}

TEST(ModuleEndToEnd, TheWrongBitOrderShowsGarbage) {
  testing::TempFolder folder;
  Bench bench(FolderWithDataEvent(folder, "TX, 20,SL,DL,"));
  bench.Startup();
  bench.Reset();
  bench.DefaultInit();
  SendTestPicture(bench);
  // Each band arrives upside down within itself.
  const QImage picture = TestPicture();
  QImage surface(image::kSurfaceWidth, image::kSurfaceHeight, QImage::Format_RGB32);
  surface.fill(Qt::white);
  image::DrawStretched(surface, picture);
  const auto bytes = image::ScanPicture(image::ImagePixels(surface), kThreshold);
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    ASSERT_EQ(bench.module.DisplayRam()[k], port::ReverseBits(bytes[k])) << "byte " << k;
  }
  EXPECT_GT(DotsUnlikeThePicture(ShownDots(bench.module, kDefaultMounting)), 400);
}

}  // namespace
}  // namespace quorvane::module
