// The FTDI backend's batching: one 84 × 48 picture, scanned and sent through
// the shipped data event into the adapter, with the library's write call
// standing in for the USB transfer. Reports the library write calls and the
// port writes per picture, and the picture's time at the pins: the bytes the
// write calls took, clocked out at the bit-bang rate's pace (16 × RATE writes
// a second on an FT232R), for the rate used before (9600) and the default.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <memory>

#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/PictureScan.h"
#include "platform/Sleeper.h"
#include "platform/ports/adapters/FtdiPort.h"
#include "platform/ports/adapters/FtdiSystem.h"

namespace {

using namespace quorvane;
using bench::Checkerboard;
using bench::NullSleeper;

struct Counts {
  std::uint64_t writeCalls = 0;
  std::uint64_t bytes = 0;
};

// An adapter that is always there and takes every byte at once.
class CountingFtdiSystem final : public platform::FtdiSystem {
 public:
  explicit CountingFtdiSystem(Counts& counts) : counts_(counts) {}
  int OpenAdapter(std::uint16_t, std::uint16_t, unsigned) override { return 0; }
  int SetBitmode(std::uint8_t, std::uint8_t) override { return 0; }
  int SetBaudrate(int) override { return 0; }
  int WriteData(const std::uint8_t* data, int size) override {
    ++counts_.writeCalls;
    counts_.bytes += static_cast<std::uint64_t>(size);
    benchmark::DoNotOptimize(data);
    return size;
  }
  std::string ErrorString() override { return {}; }
  void Close() override {}
  int CountAdapters(std::uint16_t, std::uint16_t) override { return 1; }

 private:
  Counts& counts_;
};

void PictureThroughFtdi(benchmark::State& state) {
  Counts counts;
  const int rate = static_cast<int>(state.range(0));
  std::unique_ptr<platform::FtdiPort> port =
      platform::FtdiPort::Open(std::make_unique<CountingFtdiSystem>(counts),
                               {{platform::FtdiPort::kFt232r}, 0, rate})
          .port;
  if (!port) {
    state.SkipWithError("the stand-in adapter did not open");
    return;
  }
  NullSleeper sleeper;
  global::Diagnostics diagnostics;
  events::Engine engine(*port, sleeper, diagnostics);
  engine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
  events::InitEvents(engine.global);
  const Checkerboard picture;
  std::uint64_t pictures = 0;
  for (auto _ : state) {
    image::SendPicture(picture, 8389000, engine.writer);
    port->Flush();  // the end of the user action
    ++pictures;
  }
  const auto perPicture = [&](std::uint64_t total) {
    return static_cast<double>(total) / static_cast<double>(pictures);
  };
  state.counters["write_calls_per_picture"] = perPicture(counts.writeCalls);
  state.counters["port_writes_per_picture"] = perPicture(counts.bytes);
  const double writesPerSecond = platform::kFtdiWritesPerRate * static_cast<double>(rate);
  state.counters["pins_ms_per_picture"] = perPicture(counts.bytes) / writesPerSecond * 1000;
  // The serial clock: two writes a period in the shipped events.
  state.counters["sclk_khz"] = writesPerSecond / 2 / 1000;
}
BENCHMARK(PictureThroughFtdi)
    ->ArgName("rate")
    ->Arg(9600)
    ->Arg(platform::kDefaultFtdiRate)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
