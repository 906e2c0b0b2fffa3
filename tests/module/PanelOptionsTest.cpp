// quorvane-send's panel options: the emulated module's picture and state after
// all actions.

#include <gtest/gtest.h>

#include <QImage>

#include "SendRun.h"
#include "TestPictures.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;

using testing::SendRun;

// A picture whose left third is black, and a black dot in the top right
// corner: upright and upside down cannot be mistaken.
bool PictureBlack(int x, int y) {
  return x < 28 || (x == 80 && y == 2);
}

class PanelOptionsTest : public ::testing::Test, protected testing::SendRig {
 protected:
  std::string WritePicture() {
    return testing::SavePicture(testing::BlackWhere(84, 48, PictureBlack),
                                folder.File("picture.bmp"));
  }

  Lines SetUp(const std::string& png) {
    return {"--port", "sim", "--virtual-time", "--startup", "--reset", "--init",
            "33, 200, 5, 21, 32, 9, #500, 8, #500, 13", "--image", WritePicture(), "--panel-png",
            png,
            // The glass on which the default init sequence shows black and
            // clear (at the default threshold it is too dark).
            "--panel-glass-threshold", "1.44"};
  }
};

// The output ends with the given lines.
void ExpectEndsWith(const std::string& out, const std::string& tail) {
  ASSERT_GE(out.size(), tail.size()) << out;
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail) << out;
}

bool Dark(const QImage& png, int x, int y) {
  return png.pixel(x, y) == qRgb(0, 0, 0);
}

TEST_F(PanelOptionsTest, PngShowsThePictureUprightAsMounted) {
  const std::string png = folder.File("panel.png");
  Lines args = SetUp(png);
  args.insert(args.end(), {"--panel-scale", "3"});
  const SendRun run = Send(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("panel picture in " + png), std::string::npos) << run.out;

  const QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(84 * 3, 48 * 3));
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 84; ++x) {
      const bool dark = PictureBlack(x, y);
      for (int dy = 0; dy < 3; ++dy) {
        for (int dx = 0; dx < 3; ++dx) {
          const QRgb pixel = image.pixel(3 * x + dx, 3 * y + dy);
          ASSERT_EQ(pixel, dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
        }
      }
    }
  }
}

TEST_F(PanelOptionsTest, MountedAtZeroThePictureStandsOnItsHead) {
  const std::string png = folder.File("turned.png");
  Lines args = SetUp(png);
  args.insert(args.end(), {"--panel-mounting", "0"});
  ASSERT_EQ(Send(args).status, 0);
  const QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(84, 48));
  // The black third on the right, the dot in the bottom left corner.
  EXPECT_TRUE(Dark(image, 83, 0));
  EXPECT_TRUE(Dark(image, 60, 20));
  EXPECT_FALSE(Dark(image, 0, 0));
  EXPECT_FALSE(Dark(image, 3, 2));
  EXPECT_TRUE(Dark(image, 83 - 80, 47 - 2));
  EXPECT_FALSE(Dark(image, 2, 45));
}

TEST_F(PanelOptionsTest, StateListsTheRegistersAndTheDecodedLog) {
  const SendRun run = Send({"--port", "sim", "--virtual-time", "--startup", "--command", "33, 200",
                            "--data", "7", "--panel-state"});
  ASSERT_EQ(run.status, 0) << run.err;
  // Start-up raises RESET without a pulse: the state is undefined.
  const std::string expected =
      "supply=on\nreset=none since power-on (state undefined)\n"
      "power=active\ndisplay=blank\naddressing=horizontal\ninstruction-set=extended\n"
      "x=1\ny=0\nvop=72\nvlcd=7.38\nvlcd-rating=within 6.0 to 8.5 V\nbias=0\nbias-n=7\n"
      "temperature-coefficient=0\non-rms=0.00\noff-rms=0.00\non-off-ratio=0.000\n"
      "glass-threshold=1.20\ncontrast=off\nreadable-glass=none\n"
      "mounting=180\npending-bits=0\nlog-entries=4\n"
      "no reset since power-on: state undefined\n"
      "command 0x21 function set: active, horizontal, extended set\n"
      "command 0xC8 set Vop = 72 (7.38 V)\n"
      "data 0x07 at X = 0, Y = 0\n";
  ExpectEndsWith(run.out, expected);
  EXPECT_NE(run.out.find("done: "), std::string::npos);
  EXPECT_LT(run.out.find("done: "), run.out.find("supply=")) << "after all actions";
}

TEST_F(PanelOptionsTest, TheDefaultInitSequenceIsTooDarkAtTheDefaultThreshold) {
  const std::string png = folder.File("dark.png");
  Lines args = SetUp(png);
  args.resize(args.size() - 2);  // the default glass threshold
  args.push_back("--panel-state");
  const SendRun run = Send(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("reset=done\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("on-rms=1.62\noff-rms=1.41\non-off-ratio=1.148\nglass-threshold=1.20\n"
                         "contrast=dark\nreadable-glass=1.38 to 1.50\n"),
            std::string::npos)
      << run.out;
  const QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(84, 48));
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 84; ++x) ASSERT_TRUE(Dark(image, x, y)) << x << "," << y;
  }
}

TEST_F(PanelOptionsTest, TheMainWindowsDefaultCommandListExceedsTheRating) {
  const SendRun run = Send({"--port", "sim", "--virtual-time", "--reset", "--command",
                            "33, 255, 6, 19, 32, 12", "--panel-state"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("vlcd=10.68\nvlcd-rating=exceeds 8.5 V\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("contrast=dark\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\ncommand 0xFF set Vop = 127 (10.68 V, exceeds the 8.5 V rating)\n"),
            std::string::npos)
      << run.out;
}

TEST_F(PanelOptionsTest, ThePowerSwitchCyclesTheModule) {
  const SendRun run =
      Send({"--port", "sim", "--virtual-time", "--startup", "--reset", "--data", "1, 2, 3",
            "--power-off", "--command", "33", "--power-on", "--panel-state"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string tail =
      "data 0x03 at X = 2, Y = 0\n"
      "supply off (power switch): the module ignores its lines\n"
      "supply on: registers and RAM undefined\n"
      "RESET low: reset state\n";
  ExpectEndsWith(run.out, tail);
  EXPECT_NE(run.out.find("supply=on\nreset=done\npower=power-down\n"), std::string::npos)
      << run.out;
}

TEST_F(PanelOptionsTest, TheGlassThresholdIsReadInVolts) {
  // Read by the rule of every option number: an exponent is taken too.
  for (const char* volts : {"1.5", "1.50V", "1.500", "1.5v", "1.5e0", "15E-1", "0.15e1V"}) {
    const SendRun run = Send({"--port", "sim", "--virtual-time", "--reset", "--panel-state",
                              "--panel-glass-threshold", volts});
    ASSERT_EQ(run.status, 0) << volts << run.err;
    EXPECT_NE(run.out.find("glass-threshold=1.50\n"), std::string::npos) << run.out;
  }
}

TEST_F(PanelOptionsTest, AHardwarePortIsEmulatedFromTheWritesMade) {
  const SendRun run =
      Send({"--port", "io", "--virtual-time", "--command", "33", "--panel-state"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("instruction-set=extended\n"), std::string::npos) << run.out;
}

TEST_F(PanelOptionsTest, BadPanelOptionsAreUsageErrorsAndSendNothing) {
  const std::string png = folder.File("p.png");
  const Lines cases[] = {
      // With --panel-png, so that the value itself is what is refused.
      {"--panel-scale", "0", "--panel-png", png},
      {"--panel-scale", "33", "--panel-png", png},
      {"--panel-scale", "x", "--panel-png", png},
      {"--panel-scale", "2.5", "--panel-png", png},  // a whole number, not rounded to 2
      {"--panel-scale", "2 x", "--panel-png", png},
      {"--panel-scale"},
      {"--panel-mounting", "90"},
      {"--panel-mounting", ""},
      {"--panel-state=yes"},
      {"--panel-png"},
      {"--panel-scale", "2"},     // without --panel-png
      {"--panel-mounting", "0"},  // without --panel-png or --panel-state
      {"--panel-state", "--panel-glass-threshold", "0.49"},
      {"--panel-state", "--panel-glass-threshold", "3.01"},
      {"--panel-state", "--panel-glass-threshold", "x"},
      {"--panel-state", "--panel-glass-threshold", "1.2.3"},
      {"--panel-state", "--panel-glass-threshold", "-1"},
      {"--panel-state", "--panel-glass-threshold", "1e"},
      {"--panel-state", "--panel-glass-threshold", "1.5 V"},
      {"--panel-state", "--panel-glass-threshold", "inf"},
      {"--panel-state", "--panel-glass-threshold", ""},
      {"--panel-state", "--panel-glass-threshold"},
      {"--panel-glass-threshold", "1.2"},  // without --panel-png or --panel-state
  };
  for (const Lines& options : cases) {
    Lines args = {"--port", "sim", "--trace", folder.File("t.csv"), "--reset"};
    args.insert(args.end(), options.begin(), options.end());
    const SendRun run = Send(args);
    EXPECT_EQ(run.status, 2) << options.back();
    const std::string& flag =
        options.size() > 1 && options[0] == "--panel-state" ? options[1] : options[0];
    EXPECT_NE(run.err.find(flag.substr(0, flag.find('='))), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(PanelOptionsTest, AnUnwritablePictureIsReportedAndNothingIsLeftBehind) {
  const std::string png = folder.File("missing-folder/panel.png");
  const SendRun run = Send({"--port", "sim", "--virtual-time", "--reset", "--panel-png", png});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write " + png), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace quorvane::cli
