#include "platform/traces/CsvTraceWriter.h"

#include <string>

#include "global/HexText.h"

namespace quorvane::platform {

CsvTraceWriter::CsvTraceWriter(const std::string& path) : TraceFileSink(path) {
  file_.Write("index,time_us,address,value\n");
}

void CsvTraceWriter::Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
                            std::uint8_t value) {
  if (!file_.Ok()) return;
  const std::string line = std::to_string(index) + ',' + std::to_string(timeMicros) + ',' +
                           global::HexNumber(address) + ',' + global::HexNumber(value, 2) + '\n';
  // One write call per line: the file never holds half a line.
  file_.Write(line);
}

}  // namespace quorvane::platform
