#include "events/EventInterpreter.h"

#include "events/TextFields.h"
#include "global/Diagnostics.h"
#include "global/NumberReading.h"
#include "platform/Sleeper.h"
#include "port/OutputPort.h"

namespace quorvane::events {
namespace {

constexpr std::uint8_t kClockLine = 1;  // D0, SCLK
constexpr std::uint8_t kDataLine = 2;   // D1, SDA

}  // namespace

void EventInterpreter::ExecuteEvent(const global::StepArray& Commands, std::uint8_t myValue,
                                    bool DontUpdateForm) {
  // One byte to transmit for the whole run: a transmit step with a value or
  // with "DL" changes it for the transmit steps after it.
  std::uint8_t toSend = myValue;
  for (std::size_t slot = 0; slot < global::kMaxSteps; ++slot) {
    const std::string& step = Commands[slot];
    // A failed port ends the run: no step after the failed write, no wait.
    if (step == global::kEndMarker || output_.Failed()) return;
    std::string_view rest = step;
    const std::string_view kind = PopField(rest);
    if (kind == "SB") {
      StaticBits(step, rest, DontUpdateForm);
    } else if (kind == "DL") {
      Delay(step, rest, DontUpdateForm);
    } else if (kind == "TX") {
      Transmit(step, rest, toSend, DontUpdateForm);
    }
    // Any other kind, a blank line included, does nothing.
  }
}

bool EventInterpreter::PortFailed() const {
  return output_.Failed();
}

void EventInterpreter::StaticBits(const std::string& step, std::string_view rest,
                                  bool DontUpdateForm) {
  const auto value = global::RoundToByte(global::ReadNumber(rest));
  if (!value) return Skip(step, "the value is not a byte (0 to 255)");
  global_.OutputByte = *value;
  output_.UpdateOutput(global_.OutputByte, DontUpdateForm);
}

void EventInterpreter::Delay(const std::string& step, std::string_view rest, bool DontUpdateForm) {
  const auto milliseconds = global::RoundToInt16(global::ReadNumber(rest));
  if (!milliseconds) return Skip(step, "the delay is outside -32768 to 32767 ms");
  if (*milliseconds < 0) {
    diagnostics_.Report("step '" + Abbreviate(step) + "': a negative delay waits 0 ms");
  }
  sleeper_.Sleep(*milliseconds < 0 ? 0u : static_cast<std::uint32_t>(*milliseconds));
  output_.UpdateOutput(global_.OutputByte, DontUpdateForm);
}

void EventInterpreter::Transmit(const std::string& step, std::string_view rest,
                                std::uint8_t& toSend, bool DontUpdateForm) {
  const auto bits = global::RoundToByte(global::ReadNumber(PopField(rest)));
  const bool clockStartsHigh = PopField(rest) != "SH";
  const bool leastSignificantFirst = PopField(rest) == "DL";
  if (!bits) return Skip(step, "the static bits are not a byte (0 to 255)");
  if (!rest.empty()) {
    const auto value = global::RoundToByte(global::ReadNumber(rest));
    if (!value) return Skip(step, "the value to transmit is not a byte (0 to 255)");
    toSend = *value;
  }
  if (leastSignificantFirst) toSend = port::ReverseBits(toSend);

  // The idle clock level is set in the byte but not written: the first write of
  // each bit moves SCLK away from idle and sets SDA, the second returns SCLK to
  // idle with SDA stable, the edge the module samples on.
  std::uint8_t out = static_cast<std::uint8_t>(*bits | (clockStartsHigh ? kClockLine : 0));
  for (int n = 7; n >= 0; --n) {
    if (toSend & (1u << n)) {
      out = static_cast<std::uint8_t>((out | kDataLine) ^ kClockLine);
    } else {
      out = static_cast<std::uint8_t>((out ^ kClockLine) & ~kDataLine);
    }
    global_.OutputByte = out;
    output_.UpdateOutput(out, DontUpdateForm);
    out ^= kClockLine;
    global_.OutputByte = out;
    output_.UpdateOutput(out, DontUpdateForm);
  }
}

void EventInterpreter::Skip(const std::string& step, const char* reason) {
  diagnostics_.Report("step '" + Abbreviate(step) + "' skipped: " + reason);
}

}  // namespace quorvane::events
