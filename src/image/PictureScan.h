#pragma once
// The picture scan: turns a picture area into the data bytes that fill a
// module's display RAM, one byte per column of an eight-row band.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvane::events {
class ByteWriter;
}

namespace quorvane::image {

// The pixels the scan reads: colour values red + 256 × green + 65536 × blue
// (0 black, 16777215 white) of a W × H area, row 0 at the top.
class PixelSource {
 public:
  virtual ~PixelSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Only called for positions inside the area.
  virtual std::int32_t ColourValue(int x, int y) const = 0;
};

// The bytes in sending order: bands of eight rows from the bottom of the
// picture up, columns from right to left, bit i from row y − 1 − i (bit 7 the
// highest row of the band). A pixel whose colour value is at least
// ImageThreshold gives a 1; rows above the picture read as −1. W × ⌈H / 8⌉
// bytes.
std::vector<std::uint8_t> ScanPicture(const PixelSource& picture, std::int32_t ImageThreshold);
// How many bytes the scan gives: W × ⌈H / 8⌉, 0 for an empty area.
std::size_t ScanByteCount(const PixelSource& picture);

// Scans and sends every byte as data through the standard data event, without
// display updating; stops at a failed port write.
void SendPicture(const PixelSource& picture, std::int32_t ImageThreshold,
                 events::ByteWriter& writer);

}  // namespace quorvane::image
