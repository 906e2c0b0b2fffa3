// The picture scan on surfaces of any size and content: W × ⌈H / 8⌉ bytes,
// and a threshold of 0 sets exactly the bits of the rows inside the picture.

#include "FuzzInput.h"
#include "image/PictureScan.h"

namespace {

class BytesPicture final : public quorvane::image::PixelSource {
 public:
  BytesPicture(int width, int height, std::string_view pixels)
      : width_(width), height_(height), pixels_(pixels) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::int32_t ColourValue(int x, int y) const override {
    quorvane::fuzz::Check(x >= 0 && x < width_ && y >= 0 && y < height_);
    if (pixels_.empty()) return 0;
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) % pixels_.size();
    return static_cast<std::uint8_t>(pixels_[at]) * 65793;  // grey
  }

 private:
  int width_, height_;
  std::string_view pixels_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  if (size < 6) return 0;
  const int width = (data[0] | data[1] << 8) % 512;
  const int height = (data[2] | data[3] << 8) % 512;
  const std::int32_t threshold = (data[4] | data[5] << 8) * 256;
  const BytesPicture picture(width, height, fuzz::AsText(data + 6, size - 6));
  const auto bytes = image::ScanPicture(picture, threshold);
  fuzz::Check(bytes.size() == static_cast<std::size_t>(width) * ((height + 7) / 8));
  const auto all = image::ScanPicture(picture, 0);
  for (std::size_t i = 0; i < all.size(); ++i) {
    const bool lastBand = i >= all.size() - static_cast<std::size_t>(width);
    const int rows = lastBand && height % 8 != 0 ? height % 8 : 8;
    fuzz::Check(all[i] == static_cast<std::uint8_t>((1u << rows) - 1));
  }
  return 0;
}
