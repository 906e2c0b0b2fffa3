// The emulated module on the simulated port, driven by the engine through the
// shipped events: start-up, reset and the default init sequence, a picture
// through the image transfer, the power switch, and events that clock wrongly.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "ModuleWire.h"
#include "RecordingSleeper.h"
#include "StandardEvents.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "image/PictureCanvas.h"
#include "module/Pcd8544.h"
#include "module/ShownDots.h"
#include "platform/ports/SimPort.h"
#include "session/PortStack.h"
#include "session/Session.h"

namespace quorvane::module {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kDefaultInit = "33, 200, 5, 21, 32, 9, #500, 8, #500, 13";
constexpr std::int32_t kThreshold = 8389000;  // the slider's start position × 1000
// The default init sequence sets Vop 72 with bias 5 (n = 2): clear dots get
// 1.41 V rms and dark ones 1.62 V rms, black and clear on a glass whose
// threshold lies from 1.41 V to 1.47 V.
constexpr Glass kDefaultInitGlass{1.44};

// The session both programs run, on the simulated port with the emulated
// module on its lines.
struct Bench {
  explicit Bench(const std::string& folder = QUORVANE_DATA_DIR "/") {
    session.LoadEvents(folder);
    session.SetPictureSurface(&canvas);
    session.SetImageThreshold(kThreshold);
  }
  void Run(session::ActionKind kind, std::string argument = {}) {
    session.Run({kind, std::move(argument)});
  }
  void Startup() { Run(session::ActionKind::Startup); }
  void Reset() { Run(session::ActionKind::Reset); }
  void DefaultInit() { Run(session::ActionKind::Init, kDefaultInit); }
  void PowerOff() { Run(session::ActionKind::PowerOff); }
  void PowerOn() { Run(session::ActionKind::PowerOn); }
  void Zero() { Run(session::ActionKind::Zero); }

  platform::SimPort sim;
  testing::RecordingSleeper sleeper;
  std::unique_ptr<session::PortStack> stack =
      session::PortStack::Over(sim, "sim", {sleeper, sleeper},
                               {{}, false, session::ModuleOnLines::Always})
          .stack;
  session::Session session{*stack};
  image::PictureCanvas canvas{Qt::white};
  Pcd8544& module = *stack->Module();
  events::Engine& engine = session.Engine();
};

// A grey ramp across the picture with a black block in the top left corner,
// so that a turned or mirrored picture cannot pass for the picture.
QImage TestPicture() {
  return testing::PictureOf(image::kSurfaceWidth, image::kSurfaceHeight, [](int x, int y) {
    const int grey = (x * 5 + y * 9) % 256;
    return x < 12 && y < 6 ? qRgb(0, 0, 0) : qRgb(grey, grey, grey);
  });
}

void SendTestPicture(Bench& bench) {
  bench.canvas.DrawStretched(TestPicture());
  bench.Run(session::ActionKind::Image);
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

TEST(ModuleEndToEnd, WithoutTheResetEventTheStateStaysUndefined) {
  Bench bench;
  bench.Startup();
  bench.DefaultInit();
  EXPECT_FALSE(bench.module.ResetSincePowerOn()) << "start-up raises RESET without a pulse";
  EXPECT_EQ(bench.module.State(),
            (ControllerState{false, false, false, DisplayMode::Inverse, 0, 0, 1, 5, 72}));
  EXPECT_EQ(bench.module.PendingBits(), 0);
  EXPECT_EQ(testing::LogLines(bench.module),
            (Lines{"no reset since power-on: state undefined",
                   "command 0x21 function set: active, horizontal, extended set",
                   "command 0xC8 set Vop = 72 (7.38 V)", "command 0x05 temperature coefficient 1",
                   "command 0x15 bias system 5 (n = 2)",
                   "command 0x20 function set: active, horizontal, basic set",
                   "command 0x09 display control: all on", "command 0x08 display control: blank",
                   "command 0x0D display control: inverse video"}));
  // Nothing readable shows.
  const PanelDots dots = ShownDots(bench.module, kDefaultMounting, kDefaultInitGlass);
  for (const std::uint8_t d : dots.darkness) ASSERT_EQ(d, 0);
  // The reset event sets it up, and the init sequence then shows inverse
  // video of the RAM's power-on content.
  bench.Reset();
  bench.DefaultInit();
  EXPECT_TRUE(bench.module.ResetSincePowerOn());
  const PanelDots garbage = ShownDots(bench.module, Mounting::Rotated0, kDefaultInitGlass);
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      ASSERT_EQ(garbage.At(x, y), bench.module.RamDot(x, y) ? 0 : 255) << x << "," << y;
    }
  }
}

TEST(ModuleEndToEnd, APowerCycleThroughThePowerSwitchLeavesTheRamUndefinedAgain) {
  Bench bench;
  bench.Startup();
  bench.Reset();
  bench.DefaultInit();
  SendTestPicture(bench);
  ASSERT_NE(bench.module.DisplayRam(), Pcd8544::PowerOnRam(kPowerOnSeed));
  bench.PowerOff();
  EXPECT_FALSE(bench.module.Supplied());
  bench.DefaultInit();  // sent to a module without supply: nothing
  bench.PowerOn();
  EXPECT_TRUE(bench.module.Supplied());
  EXPECT_EQ(bench.module.DisplayRam(), Pcd8544::PowerOnRam(kPowerOnSeed));
  // The supply came on with RESET high (the init sequence's last write while
  // it was off); the power-on sequence's RESET pulse then sets it up.
  EXPECT_TRUE(bench.module.ResetSincePowerOn());
  EXPECT_EQ(bench.module.State(), ControllerState{});
  Lines log = testing::LogLines(bench.module);
  EXPECT_EQ(Lines(log.end() - 3, log.end()),
            (Lines{"supply off (power switch): the module ignores its lines",
                   "supply on: registers and RAM undefined", "RESET low: reset state"}));
  // Straight from off to on, RESET stays low from the power-off write: the
  // registers come up in their reset state.
  bench.PowerOff();
  bench.PowerOn();
  log = testing::LogLines(bench.module);
  EXPECT_EQ(log.back(), "supply on with RESET low: reset state, RAM undefined");
  EXPECT_TRUE(bench.module.ResetSincePowerOn());
  // "Do 0" straight after start-up is no power switch.
  Bench other;
  other.Startup();
  other.Zero();
  EXPECT_TRUE(other.module.Supplied());
  EXPECT_TRUE(other.module.ResetSincePowerOn()) << "all lines low: RESET low";
}

TEST(ModuleEndToEnd, TheDefaultInitSequenceIsTooDarkOnTheDefaultGlass) {
  // The shipped default init sequence with the shipped events, then a full
  // picture: at the default glass threshold every dot is dark.
  Bench bench;
  bench.Startup();
  bench.Reset();
  bench.DefaultInit();
  SendTestPicture(bench);
  const PanelDots dots = ShownDots(bench.module, kDefaultMounting);
  for (const std::uint8_t d : dots.darkness) ASSERT_EQ(d, 255);
  EXPECT_EQ(ContrastOf(DotVoltagesOf(bench.module.State()), {}), Contrast::Dark);
  // With bias 3 (n = 4) instead of 5 the same Vop reads on that glass.
  bench.engine.writer.MultiDataWrite("33, 19, 32", true);
  EXPECT_EQ(ContrastOf(DotVoltagesOf(bench.module.State()), {}), Contrast::Normal);
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
  EXPECT_EQ(DotsUnlikeThePicture(ShownDots(bench.module, Mounting::Rotated180, kDefaultInitGlass)),
            0);

  // Mounted the other way round the picture stands on its head.
  const PanelDots turned = ShownDots(bench.module, Mounting::Rotated0, kDefaultInitGlass);
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
  testing::CopyStandardEvents(folder, {"0.evnt", "1.evnt"});
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
  // seven bits, then CS drops them. Every byte with a change of level among
  // those bits is logged as late.
  const Lines log = testing::LogLines(bench.module);
  int dropped = 0, late = 0;
  for (const std::string& line : log) {
    dropped += line == "dropped 7 bits: CS raised";
    late += line.starts_with("setup time violated: SDA changed with ");
  }
  EXPECT_EQ(dropped, 504);
  EXPECT_GT(late, 100);
  EXPECT_EQ(log.size(), 1u + 8u + 504u + static_cast<unsigned>(late));
  EXPECT_EQ(log.back(), "dropped 7 bits: CS raised");
  EXPECT_GT(DotsUnlikeThePicture(ShownDots(bench.module, kDefaultMounting, kDefaultInitGlass)),
            400);
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
  EXPECT_GT(DotsUnlikeThePicture(ShownDots(bench.module, kDefaultMounting, kDefaultInitGlass)),
            400);
}

}  // namespace
}  // namespace quorvane::module
