#include "image/PictureScan.h"

#include <gtest/gtest.h>

#include "InterpreterRig.h"
#include "StepArrays.h"
#include "events/ByteWriter.h"

namespace quorvane::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kWhite = 16777215;
constexpr std::int32_t kStartupThreshold = 8389000;

// A picture built in code: colour values by row, row 0 at the top.
class Grid final : public PixelSource {
 public:
  Grid(int width, int height, std::int32_t fill = 0)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::int32_t ColourValue(int x, int y) const override {
    EXPECT_TRUE(x >= 0 && x < width_ && y >= 0 && y < height_) << x << "," << y;
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
  }
  void Set(int x, int y, std::int32_t value) {
    pixels_[static_cast<std::size_t>(y * width_ + x)] = value;
  }

 private:
  int width_, height_;
  std::vector<std::int32_t> pixels_;
};

TEST(ScanPicture, BandsFromTheBottomColumnsFromTheRight) {
  // 3 × 8: one band; the byte of column c has row r in bit 7 − r.
  Grid picture(3, 8);
  picture.Set(2, 0, kWhite);  // column 2, top row: bit 7 of the first byte
  picture.Set(1, 7, kWhite);  // column 1, bottom row: bit 0 of the second byte
  picture.Set(0, 3, kWhite);  // column 0, row 3: bit 4 of the third byte
  EXPECT_EQ(ScanPicture(picture, kStartupThreshold), (Bytes{0x80, 0x01, 0x10}));

  // 3 × 9: band y = 9 covers rows 1 to 8, band y = 1 holds row 0 in bit 0
  // with the rows above the picture as zeros.
  Grid tall(3, 9);
  tall.Set(2, 8, kWhite);  // bottom row: bit 0 of the first band
  tall.Set(2, 1, kWhite);  // row 1: bit 7 of the first band
  tall.Set(0, 0, kWhite);  // row 0: bit 0 of the second band
  EXPECT_EQ(ScanPicture(tall, kStartupThreshold), (Bytes{0x81, 0x00, 0x00, 0x00, 0x00, 0x01}));
}

TEST(ScanPicture, CountsAndUniformPictures) {
  EXPECT_EQ(ScanPicture(Grid(84, 48, kWhite), kStartupThreshold), Bytes(504, 0xFF));
  EXPECT_EQ(ScanPicture(Grid(84, 48, 0), kStartupThreshold), Bytes(504, 0x00));
  EXPECT_EQ(ScanPicture(Grid(5, 13, kWhite), kStartupThreshold),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0x1F, 0x1F, 0x1F, 0x1F}))
      << "the band above the picture keeps only its in-area rows";
  EXPECT_TRUE(ScanPicture(Grid(0, 0), 0).empty());
  EXPECT_TRUE(ScanPicture(Grid(5, 0), 0).empty());
}

TEST(ScanPicture, ThresholdIsASignedCompareOfTheColourValue) {
  // Blue weighs most: blue 128 alone (8388608) is below the start-up threshold,
  // blue 128 with green 2 and red 255 (8389375) is above it.
  Grid picture(2, 8);
  picture.Set(1, 0, 128 * 65536);
  picture.Set(0, 0, 255 + 2 * 256 + 128 * 65536);
  EXPECT_EQ(ScanPicture(picture, kStartupThreshold), (Bytes{0x00, 0x80}));

  // Slider position 0: every pixel in the area is a 1, black included; rows
  // above the picture never are.
  EXPECT_EQ(ScanPicture(Grid(2, 4, 0), 0), (Bytes{0x0F, 0x0F}));
  // Above position 16777 the threshold lies above white: all zeros.
  EXPECT_EQ(ScanPicture(Grid(2, 8, kWhite), 16778 * 1000), (Bytes{0x00, 0x00}));
  EXPECT_EQ(ScanPicture(Grid(2, 8, kWhite), 16777 * 1000), (Bytes{0xFF, 0xFF}));
}

TEST(SendPicture, EveryByteGoesThroughTheDataEventWithoutDisplay) {
  testing::InterpreterRig rig(true);
  rig.global.DataEventSteps = testing::Steps({"SB, 200", "TX, 4,SH,DH,"});
  rig.global.CommandEventSteps = testing::Steps({"SB, 100"});
  events::ByteWriter writer(rig.global, rig.interpreter, rig.sleeper, rig.diagnostics);

  SendPicture(Grid(84, 48, kWhite), kStartupThreshold, writer);
  const auto writes = rig.port.ValuesAt(0x378);
  ASSERT_EQ(writes.size(), 504u * 17);
  EXPECT_TRUE(rig.display.calls.empty());
  for (std::size_t i = 0; i < writes.size(); i += 17) EXPECT_EQ(writes[i], 200) << "data event";
  EXPECT_EQ(writes[1], 0x07) << "SDA high for the first bit of 0xFF";
}

}  // namespace
}  // namespace quorvane::image
