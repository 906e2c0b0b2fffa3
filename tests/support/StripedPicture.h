#pragma once
// A picture of one module frame, 84 × 48 pixels, in black and white blocks:
// every byte of its scan differs from its neighbours, so a transfer that
// drops or reorders bytes shows.

#include <cstdint>

#include "image/PictureScan.h"

namespace quorvane::testing {

class StripedPicture final : public image::PixelSource {
 public:
  int Width() const override { return 84; }
  int Height() const override { return 48; }
  std::int32_t ColourValue(int x, int y) const override {
    return ((x / 3 + y / 5) % 2) != 0 ? 16777215 : 0;
  }
};

}  // namespace quorvane::testing
