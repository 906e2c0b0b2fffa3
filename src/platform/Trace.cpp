#include "platform/Trace.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

namespace quorvane::platform {

CsvTraceWriter::CsvTraceWriter(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) {
    error_ = "cannot write the trace file '" + path + "': " + std::strerror(errno);
    return;
  }
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  static constexpr char kHeader[] = "index,time_us,address,value\n";
  std::fwrite(kHeader, 1, sizeof kHeader - 1, file_.get());
}

void CsvTraceWriter::Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
                            std::uint8_t value) {
  if (!file_) return;
  char line[96];
  const int length =
      std::snprintf(line, sizeof line, "%" PRIu64 ",%" PRIu64 ",0x%X,0x%02X\n", index, timeMicros,
                    static_cast<unsigned>(address), static_cast<unsigned>(value));
  // One write call per line: the file never holds half a line.
  std::fwrite(line, 1, static_cast<std::size_t>(length), file_.get());
}

void TracingPort::Out32(std::uint16_t address, std::uint8_t value) {
  sink_.Record(index_++, clock_.NowMicros(), address, value);
  inner_.Out32(address, value);
}

}  // namespace quorvane::platform
