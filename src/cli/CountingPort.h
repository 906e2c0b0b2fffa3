#pragma once
// Counts the writes and waits that pass through, so the command line front can
// say what each action did. The port also ends the running action when the
// program is asked to stop, at the next byte boundary (SendStop.h): a long
// list without waits stops between two bytes, never inside one.

#include <cstdint>

#include "cli/SendStop.h"
#include "platform/Sleeper.h"
#include "platform/StopSignal.h"
#include "platform/ports/Port.h"

namespace quorvane::cli {

class CountingPort final : public platform::Port {
 public:
  // It fails when the port behind it fails; `writes` counts what was handed
  // on, the failure says how much of it did not go out.
  CountingPort(platform::Port& inner, const StopPoints& stops)
      : Port(inner), inner_(inner), stops_(stops) {}
  void Out32(std::uint16_t address, std::uint8_t value) override {
    if (checkStops && platform::StopRequested() && stops_.AtBoundary(writes)) {
      throw platform::StopRequest();
    }
    ++writes;
    inner_.Out32(address, value);
  }
  void Flush() override { inner_.Flush(); }
  std::uint64_t writes = 0;
  // Off for the writes that follow a stop.
  bool checkStops = true;

 private:
  platform::Port& inner_;
  const StopPoints& stops_;
};

// Counts the waits that ran to their end: one that a stop ended early is not
// counted.
class CountingSleeper final : public platform::Sleeper {
 public:
  explicit CountingSleeper(platform::Sleeper& inner) : inner_(inner) {}
  void Sleep(std::uint32_t milliseconds) override {
    inner_.Sleep(milliseconds);
    waitedMilliseconds += milliseconds;
  }
  std::uint64_t waitedMilliseconds = 0;

 private:
  platform::Sleeper& inner_;
};

}  // namespace quorvane::cli
