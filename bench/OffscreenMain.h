#pragma once
// main() of the benchmarks that need widgets: Qt's offscreen platform, the
// program's look, then the benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/main/ApplicationLook.h"

#define QUORVANE_OFFSCREEN_BENCHMARK_MAIN()  \
  int main(int argc, char** argv) {          \
    qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication application(argc, argv);    \
    quorvane::ui::ApplyApplicationLook();    \
    benchmark::Initialize(&argc, argv);      \
    benchmark::RunSpecifiedBenchmarks();     \
    benchmark::Shutdown();                   \
    return 0;                                \
  }
