#pragma once
// Port-write traces: every write that reaches the port, with its time, kept in a
// file that is complete on disk whenever the program ends.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/ports/Port.h"
#include "platform/traces/TraceFile.h"

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

// A sink that writes one trace file: whether the file could be created, and
// whether a write to it failed, with the reasons.
class TraceFileSink : public TraceSink {
 public:
  // Empty path or a file that cannot be created: Ok() is false and Error() says why.
  bool Ok() const { return file_.Ok(); }
  const std::string& Error() const { return file_.Error(); }
  bool Failed() const override { return file_.Failed(); }
  const std::string& Failure() const override { return file_.Failure(); }

 protected:
  explicit TraceFileSink(const std::string& path) : file_(path) {}
  TraceFile file_;
};

// Where a trace stopped: the first write it does not hold (counted from 1),
// and why.
struct TraceStop {
  std::uint64_t write = 0;
  std::string reason;
};

// Text file "index,time_us,address,value", one line per write, address and value
// as 0x-prefixed hex. Each line goes to the file as it is recorded, unbuffered, so
// an interrupted or killed program leaves every line it wrote.
class CsvTraceWriter final : public TraceFileSink {
 public:
  explicit CsvTraceWriter(const std::string& path);
  void Record(std::uint64_t index, std::uint64_t timeMicros, std::uint16_t address,
              std::uint8_t value) override;
};

// Passes every write on to the port behind it and records it once the port
// took it, under the register address the program used: a write the port
// refused, and anything after it, is not in the trace. It fails when the port
// behind it fails. A trace file that cannot be written stops the recording,
// not the writes.
class TracingPort final : public Port {
 public:
  TracingPort(Port& inner, const Clock& clock, TraceSink& sink)
      : Port(inner), inner_(inner), clock_(clock), sink_(sink) {}
  void Out32(std::uint16_t address, std::uint8_t value) override;
  void Flush() override { inner_.Flush(); }
  // Set once the trace file could not be written.
  std::optional<TraceStop> Stopped() const;

 private:
  Port& inner_;
  const Clock& clock_;
  TraceSink& sink_;
  std::uint64_t index_ = 0;  // writes recorded
  bool stopped_ = false;
};

}  // namespace quorvane::platform
