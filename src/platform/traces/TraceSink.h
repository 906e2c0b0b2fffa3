#pragma once
// Where a port-write trace goes: every write that reaches the port, with its
// time, kept in a file that is complete on disk whenever the program ends.

#include <cstdint>
#include <string>

namespace quorvane::platform {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
                      std::uint8_t value) = 0;
  // Set once the file could not be written; from then on nothing is recorded.
  virtual bool Failed() const = 0;
  // Why, naming the file: "the trace file 'x.csv' could not be written (...)".
  virtual const std::string& Failure() const = 0;
};

}  // namespace quorvane::platform
