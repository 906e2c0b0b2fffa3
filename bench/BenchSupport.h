#pragma once
// Stand-ins shared by the benchmarks: a port and a sleeper that do nothing, and
// a picture of one module frame.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "image/PictureScan.h"
#include "platform/Sleeper.h"
#include "platform/ports/Port.h"

namespace quorvane::bench {

class NullPort final : public platform::Port {
 public:
  void Out32(std::uint16_t, std::uint8_t value) override {
    ++writes;
    benchmark::DoNotOptimize(value);
  }
  std::uint64_t writes = 0;
};

class NullSleeper final : public platform::Sleeper {
 public:
  void Sleep(std::uint32_t) override {}
};

// 84 × 48 pixels, one frame of the module: black and white blocks.
class Checkerboard final : public image::PixelSource {
 public:
  int Width() const override { return 84; }
  int Height() const override { return 48; }
  std::int32_t ColourValue(int x, int y) const override {
    return ((x / 3 + y / 5) % 2) != 0 ? 16777215 : 0;
  }
};

}  // namespace quorvane::bench
