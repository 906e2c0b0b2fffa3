#pragma once
// Opens the trace file that --trace names, in the format its extension asks
// for: ".csv" for the write list, ".vcd" for the value change dump.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/traces/TraceSink.h"

namespace quorvane::platform {

enum class TraceFormat { Csv, Vcd };

// The format of a trace file's name, by its extension in either case; none for
// any other name.
std::optional<TraceFormat> TraceFormatOf(std::string_view path);

// Empty for a name with a trace format; otherwise the message that refuses it.
std::string TraceNameError(const std::string& path);

struct OpenedTrace {
  std::unique_ptr<TraceSink> sink;  // null when the trace cannot be written
  std::string error;                // why: the file cannot be created, or the name is refused
  bool usageError = false;          // the name has no trace format (caller exits with status 2)
};

OpenedTrace OpenTraceWriter(const std::string& path);

}  // namespace quorvane::platform
