#include "platform/traces/Trace.h"

#include <cinttypes>
#include <cstdio>

namespace quorvane::platform {

CsvTraceWriter::CsvTraceWriter(const std::string& path) : TraceFileSink(path) {
  file_.Write("index,time_us,address,value\n");
}

void CsvTraceWriter::Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
                            std::uint8_t value) {
  if (!file_.Ok()) return;
  char line[96];
  const int length =
      std::snprintf(line, sizeof line, "%" PRIu64 ",%" PRIu64 ",0x%X,0x%02X\n", index, timeMicros,
                    static_cast<unsigned>(address), static_cast<unsigned>(value));
  // One write call per line: the file never holds half a line.
  file_.Write(std::string_view(line, static_cast<std::size_t>(length)));
}

void TracingPort::Out32(std::uint16_t address, std::uint8_t value) {
  inner_.Out32(address, value);
  if (Failed() || stopped_) return;
  sink_.Record(index_, clock_.NowMicros(), address, value);
  if (sink_.Failed()) {
    stopped_ = true;
    return;
  }
  ++index_;
}

std::optional<TraceStop> TracingPort::Stopped() const {
  // Also when the file failed before the first write (its header).
  if (!sink_.Failed()) return std::nullopt;
  return TraceStop{index_ + 1, sink_.Failure()};
}

}  // namespace quorvane::platform
