#include "image/PictureScan.h"

#include "events/ByteWriter.h"

namespace quorvane::image {

std::vector<std::uint8_t> ScanPicture(const PixelSource& picture, std::int32_t ImageThreshold) {
  const int width = picture.Width();
  const int height = picture.Height();
  std::vector<std::uint8_t> bytes;
  if (width <= 0 || height <= 0) return bytes;
  bytes.reserve(ScanByteCount(picture));
  const auto colour = [&](int x, int row) -> std::int32_t {
    return row < 0 ? -1 : picture.ColourValue(x, row);
  };
  for (int y = height; y >= 1; y -= 8) {
    for (int x = width - 1; x >= 0; --x) {
      std::uint8_t b = 0;
      for (int i = 7; i >= 0; --i) {
        if (colour(x, y - 1 - i) >= ImageThreshold) b = static_cast<std::uint8_t>(b | (1u << i));
      }
      bytes.push_back(b);
    }
  }
  return bytes;
}

std::size_t ScanByteCount(const PixelSource& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>((height + 7) / 8);
}

void SendPicture(const PixelSource& picture, std::int32_t ImageThreshold,
                 events::ByteWriter& writer) {
  for (const std::uint8_t b : ScanPicture(picture, ImageThreshold)) {
    if (writer.PortFailed()) return;  // no byte after a failed write
    writer.WriteDataWithEvent(false, b, true);
  }
}

}  // namespace quorvane::image
