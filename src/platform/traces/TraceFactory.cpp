#include "platform/traces/TraceFactory.h"

#include <algorithm>
#include <cctype>

#include "platform/traces/CsvTraceWriter.h"
#include "platform/traces/VcdTrace.h"

namespace quorvane::platform {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
                    [](char wanted, char given) {
                      return wanted == std::tolower(static_cast<unsigned char>(given));
                    });
}

template <typename Writer>
OpenedTrace Open(const std::string& path) {
  auto writer = std::make_unique<Writer>(path);
  if (!writer->Ok()) return {nullptr, writer->Error(), false};
  return {std::move(writer), {}, false};
}

}  // namespace

std::optional<TraceFormat> TraceFormatOf(std::string_view path) {
  if (EndsWithIgnoringCase(path, ".csv")) return TraceFormat::Csv;
  if (EndsWithIgnoringCase(path, ".vcd")) return TraceFormat::Vcd;
  return std::nullopt;
}

std::string TraceNameError(const std::string& path) {
  if (TraceFormatOf(path)) return {};
  return "the trace file must end in .csv or .vcd: '" + path + "'";
}

OpenedTrace OpenTraceWriter(const std::string& path) {
  const auto format = TraceFormatOf(path);
  if (!format) return {nullptr, TraceNameError(path), true};
  return *format == TraceFormat::Csv ? Open<CsvTraceWriter>(path) : Open<VcdTraceWriter>(path);
}

}  // namespace quorvane::platform
