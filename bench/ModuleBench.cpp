// What the emulated module costs the port path: one 84 × 48 picture scanned
// and sent through the shipped data event into the simulated port, alone, with
// the module decoding every write, and with the module window listening as
// well (offscreen); and what one showing of the window costs.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "OffscreenMain.h"

#include <QApplication>

#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/PictureScan.h"
#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "platform/Sleeper.h"
#include "platform/ports/SimPort.h"

namespace {

using namespace quorvane;
using bench::Checkerboard;
using bench::NullSleeper;

enum class Attached { Nothing, Module, ModuleAndWindow };

void PictureIntoSimPort(benchmark::State& state, Attached attached) {
  platform::SimPort sim;
  module::Pcd8544 module;
  module::ModuleFeed feed(sim, module);
  platform::Port& port = attached == Attached::Nothing ? static_cast<platform::Port&>(sim) : feed;
  std::unique_ptr<module::frmModule> window;
  if (attached == Attached::ModuleAndWindow) {
    window = std::make_unique<module::frmModule>(module);
    window->show();
    QApplication::processEvents();
  }
  NullSleeper sleeper;
  global::Diagnostics diagnostics;
  events::Engine engine(port, sleeper, diagnostics);
  engine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
  events::InitEvents(engine.global);
  const Checkerboard picture;
  std::uint64_t writes = 0;
  for (auto _ : state) {
    sim.Clear();  // keeps its capacity: the same cost in every variant
    image::SendPicture(picture, 8389000, engine.writer);
    writes += sim.Writes().size();
  }
  state.counters["ns_per_port_write"] = benchmark::Counter(
      static_cast<double>(writes) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  if (window) window->close();
}
BENCHMARK_CAPTURE(PictureIntoSimPort, Alone, Attached::Nothing)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureIntoSimPort, WithModule, Attached::Module)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PictureIntoSimPort, WithModuleWindow, Attached::ModuleAndWindow)
    ->Unit(benchmark::kMicrosecond);

// One showing of the module window (panel, state line, log view), after one
// decoded byte and after a whole picture.
void ModuleWindowShowing(benchmark::State& state) {
  module::Pcd8544 module;
  platform::VirtualClock clock;
  module::frmModule window(module, &clock);
  window.show();
  QApplication::processEvents();
  const auto bytes = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    for (std::int64_t k = 0; k < bytes; ++k) {
      for (int n = 0; n < 8; ++n) {
        module.Write(module::kResetLine | module::kDcLine);
        module.Write(module::kResetLine | module::kDcLine | module::kSclkLine);
      }
    }
    state.ResumeTiming();
    window.CatchUp();
  }
}
BENCHMARK(ModuleWindowShowing)->Arg(1)->Arg(504)->Unit(benchmark::kMicrosecond);

}  // namespace

QUORVANE_OFFSCREEN_BENCHMARK_MAIN()
