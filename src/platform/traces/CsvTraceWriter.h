#pragma once
// The CSV write list: text file "index,time_us,address,value", one line per
// write, address and value as 0x-prefixed hex. Each line goes to the file as
// it is recorded, unbuffered, so an interrupted or killed program leaves every
// line it wrote.

#include <cstdint>
#include <string>

#include "platform/traces/TraceFileSink.h"

namespace quorvane::platform {

class CsvTraceWriter final : public TraceFileSink {
 public:
  explicit CsvTraceWriter(const std::string& path);
  void Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
              std::uint8_t value) override;
};

}  // namespace quorvane::platform
