#pragma once
// Reads back a CSV trace as the programs write it: a header line
// "index,time_us,address,value", then one line per port write.

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane::testing {

struct TraceRow {
  std::uint64_t index;
  std::uint64_t time;
  unsigned address;
  unsigned value;
};

// One line as a row; false when it is none.
inline bool ReadCsvRow(const std::string& line, TraceRow& row) {
  unsigned long long index = 0, time = 0;
  if (std::sscanf(line.c_str(), "%llu,%llu,0x%X,0x%X", &index, &time, &row.address, &row.value) !=
      4) {
    return false;
  }
  row.index = index;
  row.time = time;
  return true;
}

// The rows of a trace's text; a line that is not a row ends the reading.
inline std::vector<TraceRow> ReadCsvTrace(const std::string& text) {
  std::istringstream lines(text);
  std::vector<TraceRow> rows;
  std::string line;
  std::getline(lines, line);  // the header
  for (TraceRow row; std::getline(lines, line) && ReadCsvRow(line, row);) rows.push_back(row);
  return rows;
}

// What keeps the text from being a whole trace, the header and then a row on
// every line, numbered from 0 up; empty when nothing does.
inline std::string CsvTraceFault(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != "index,time_us,address,value") {
    return "the header is '" + line + "'";
  }
  TraceRow row;
  for (std::uint64_t n = 0; std::getline(lines, line); ++n) {
    if (!ReadCsvRow(line, row)) return "no row: '" + line + "'";
    if (row.index != n)
      return "row " + std::to_string(n) + " numbered " + std::to_string(row.index);
  }
  return "";
}

// The values written to one register, in order.
inline std::vector<std::uint8_t> ValuesAt(const std::vector<TraceRow>& rows, unsigned address) {
  std::vector<std::uint8_t> values;
  for (const TraceRow& row : rows) {
    if (row.address == address) values.push_back(static_cast<std::uint8_t>(row.value));
  }
  return values;
}

// The values a trace's text holds for the data register (0x378).
inline std::vector<std::uint8_t> DataValues(const std::string& text) {
  return ValuesAt(ReadCsvTrace(text), 0x378);
}

}  // namespace quorvane::testing
