// quorvane-send's panel options: the emulated module's picture and state after
// all actions.

#include <gtest/gtest.h>

#include <QImage>
#include <sstream>

#include "FakePpdevSystem.h"
#include "RecordingSleeper.h"
#include "TempFolder.h"
#include "cli/SendCommand.h"
#include "platform/PortFactory.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;

struct SendRun {
  int status;
  std::string out;
  std::string err;
};

class PanelOptionsTest : public ::testing::Test {
 protected:
  SendRun Send(const Lines& args) {
    std::ostringstream out, err;
    const platform::PortSystems systems{ppdev, nullptr};
    const SendEnvironment environment{QUORVANE_DATA_DIR, nullptr, &systems, &sleeper};
    const int status = RunSend(args, environment, out, err);
    return {status, out.str(), err.str()};
  }

  // A picture whose left third is black, and a black dot in the top right
  // corner: upright and upside down cannot be mistaken.
  std::string WritePicture() {
    QImage picture(84, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 28; ++x) picture.setPixel(x, y, qRgb(0, 0, 0));
    }
    picture.setPixel(80, 2, qRgb(0, 0, 0));
    const std::string path = folder.File("picture.bmp");
    picture.save(QString::fromStdString(path), "BMP");
    return path;
  }

  Lines SetUp(const std::string& png) {
    return {"--port",
            "sim",
            "--virtual-time",
            "--startup",
            "--reset",
            "--init",
            "33, 200, 5, 21, 32, 9, #500, 8, #500, 13",
            "--image",
            WritePicture(),
            "--panel-png",
            png};
  }

  testing::TempFolder folder;
  testing::FakePpdevSystem ppdev;
  testing::RecordingSleeper sleeper;
};

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
      const bool dark = x < 28 || (x == 80 && y == 2);
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
  const std::string expected =
      "power=active\ndisplay=blank\naddressing=horizontal\ninstruction-set=extended\n"
      "x=1\ny=0\nvop=72\nvlcd=7.38\ncontrast=normal\nbias=0\ntemperature-coefficient=0\n"
      "mounting=180\npending-bits=0\nlog-entries=3\n"
      "command 0x21 function set: active, horizontal, extended set\n"
      "command 0xC8 set Vop = 72 (7.38 V)\n"
      "data 0x07 at X = 0, Y = 0\n";
  ASSERT_GE(run.out.size(), expected.size());
  EXPECT_EQ(run.out.substr(run.out.size() - expected.size()), expected) << run.out;
  EXPECT_NE(run.out.find("done: "), std::string::npos);
  EXPECT_LT(run.out.find("done: "), run.out.find("power=")) << "after all actions";
}

TEST_F(PanelOptionsTest, AHardwarePortIsEmulatedFromTheWritesMade) {
  const SendRun run =
      Send({"--port", "ppdev", "--virtual-time", "--command", "33", "--panel-state"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("instruction-set=extended\n"), std::string::npos) << run.out;
}

TEST_F(PanelOptionsTest, BadPanelOptionsAreUsageErrorsAndSendNothing) {
  const Lines cases[] = {
      {"--panel-scale", "0"},     {"--panel-scale", "33"},
      {"--panel-scale", "x"},     {"--panel-scale"},
      {"--panel-mounting", "90"}, {"--panel-mounting", ""},
      {"--panel-state=yes"},      {"--panel-png"},
      {"--panel-scale", "2"},     // without --panel-png
      {"--panel-mounting", "0"},  // without --panel-png or --panel-state
  };
  for (const Lines& options : cases) {
    Lines args = {"--port", "sim", "--trace", folder.File("t.csv"), "--reset"};
    args.insert(args.end(), options.begin(), options.end());
    const SendRun run = Send(args);
    EXPECT_EQ(run.status, 2) << options[0];
    EXPECT_NE(run.err.find(options[0].substr(0, options[0].find('='))), std::string::npos)
        << run.err;
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
