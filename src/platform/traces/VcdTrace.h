#pragma once
// Port-write traces as a value change dump: the five module lines as 1-bit
// wires that logic-analyser tools (PulseView, GTKWave) open and decode.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/traces/TraceFile.h"
#include "platform/traces/TraceFileSink.h"

namespace quorvane::platform {

// Wires SCLK, SDA, DC, CS and RESET (data lines D0 to D4) in one scope, time in
// microseconds. Only data-register writes that change one of the five lines
// appear: the control register and D5 to D7 have no wire. A change that lands
// at or before the previous one is moved to one microsecond after it, so every
// clock edge of a burst of writes stays visible, in order; the changes after
// it move as much, so no gap between two writes is shorter than the write
// times say. Every change goes to the file as it is recorded, unbuffered, and
// the file always ends with a closing timestamp, so an interrupted or killed
// program leaves a dump that viewers show up to its last change.
class VcdTraceWriter final : public TraceFileSink {
 public:
  explicit VcdTraceWriter(const std::string& path);
  void Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
              std::uint8_t value) override;

 private:
  std::optional<std::uint8_t> lines_;  // the five lines as dumped; none before the first write
  std::uint64_t lastTime_ = 0;         // time of the last change in the dump
  std::uint64_t ahead_ = 0;            // how far the dump's clock runs ahead of the writes'
  long closingLength_ = 0;             // length of the closing timestamp at the end of the file
};

}  // namespace quorvane::platform
