// The engine's own cost per port write: the standard data event sending bytes
// into a port that does nothing, with display updating off, and value lists.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <string>

#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/PictureScan.h"
#include "platform/Sleeper.h"
#include "platform/ports/Port.h"

namespace {

using namespace quorvane;
using bench::Checkerboard;
using bench::NullPort;
using bench::NullSleeper;

struct Bench {
  Bench() {
    engine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
    events::InitEvents(engine.global);
  }
  NullPort port;
  NullSleeper sleeper;
  global::Diagnostics diagnostics;
  events::Engine engine{port, sleeper, diagnostics};
};

void PerWriteCounter(benchmark::State& state, std::uint64_t writes) {
  // Seconds per (writes / 1e9) is nanoseconds per write.
  state.counters["ns_per_port_write"] = benchmark::Counter(
      static_cast<double>(writes) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetItemsProcessed(static_cast<std::int64_t>(writes));
}

void DataEventByte(benchmark::State& state) {
  Bench bench;
  std::uint8_t byte = 0;
  for (auto _ : state) bench.engine.writer.WriteDataWithEvent(false, byte++, true);
  PerWriteCounter(state, bench.port.writes);
}
BENCHMARK(DataEventByte);

void MultiDataWrite1000Items(benchmark::State& state) {
  Bench bench;
  std::string list;
  for (int i = 0; i < 1000; ++i) list += std::to_string(i * 37 % 256) + ", ";
  for (auto _ : state) bench.engine.writer.MultiDataWrite(list, false);
  PerWriteCounter(state, bench.port.writes);
}
BENCHMARK(MultiDataWrite1000Items)->Unit(benchmark::kMicrosecond);

void PictureScanAndSend(benchmark::State& state) {
  Bench bench;
  const Checkerboard picture;
  for (auto _ : state) image::SendPicture(picture, 8389000, bench.engine.writer);
  PerWriteCounter(state, bench.port.writes);
}
BENCHMARK(PictureScanAndSend)->Unit(benchmark::kMicrosecond);

}  // namespace
