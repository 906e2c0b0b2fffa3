#include "port/FailureReport.h"

#include "platform/ports/Port.h"
#include "platform/traces/TracingPort.h"
#include "port/OutputPort.h"

namespace quorvane::port {

std::string GroupedNumber(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
  return digits;
}

std::uint64_t WritesThatWentOut(const OutputPort& output, std::uint64_t writesAtStart) {
  const std::uint64_t handed = output.Writes() - writesAtStart;
  if (!output.Failed()) return handed;
  const std::uint64_t unsent = output.Port().Failure().unsentWrites;
  return unsent < handed ? handed - unsent : 0;
}

std::string PortFailedSentence(std::string_view portName, std::string_view what,
                               std::uint64_t wentOut, std::optional<std::uint64_t> planned,
                               std::string_view reason) {
  std::string sentence =
      "The port " + std::string(portName) + " failed after " + GroupedNumber(wentOut);
  if (planned) sentence += " of " + GroupedNumber(*planned);
  sentence += (planned ? *planned : wentOut) == 1 ? " write of " : " writes of ";
  sentence += what;
  sentence += ": ";
  sentence += reason;
  sentence += '.';
  return sentence;
}

std::string ReopenFailedSentence(std::string_view portName, std::string_view error) {
  return "The port " + std::string(portName) + " cannot be opened again: " + std::string(error) +
         ". Nothing was sent.";
}

std::string TraceStoppedSentence(const platform::TraceStop& stop) {
  return "The trace stopped at write " + GroupedNumber(stop.write) + ": " + stop.reason +
         ". The port writes go on without it.";
}

}  // namespace quorvane::port
