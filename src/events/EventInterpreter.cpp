#include "events/EventInterpreter.h"

#include "events/TextFields.h"
#include "global/Diagnostics.h"
#include "global/Wiring.h"
#include "platform/Sleeper.h"
#include "port/OutputPort.h"

namespace quorvane::events {
namespace {

constexpr std::uint8_t kClockLine = global::kSclkLine;
constexpr std::uint8_t kDataLine = global::kSdaLine;

}  // namespace

void EventInterpreter::ExecuteEvent(const global::StepArray& Commands, std::uint8_t myValue,
                                    bool DontUpdateForm) {
  ReadArray& read = ReadArrayOf(Commands);
  // One byte to transmit for the whole run: a transmit step with a value or
  // with "DL" changes it for the transmit steps after it.
  std::uint8_t toSend = myValue;
  for (std::size_t slot = 0; slot < global::kMaxSteps; ++slot) {
    const std::string& step = Commands[slot];
    // A failed port ends the run: no step after the failed write, no wait.
    if (step == global::kEndMarker || output_.Failed()) return;
    const StepLine& line = LineAt(read, slot, step);
    switch (line.kind) {
      case StepLine::Kind::StaticBits:
        global_.OutputByte = line.byte;
        output_.UpdateOutput(global_.OutputByte, DontUpdateForm);
        break;
      case StepLine::Kind::Delay:
        Delay(step, line.milliseconds, DontUpdateForm);
        break;
      case StepLine::Kind::Transmit:
        Transmit(line, toSend, DontUpdateForm);
        break;
      case StepLine::Kind::Skipped:
        Skip(step, line.skipped);
        break;
      case StepLine::Kind::Blank:
        break;
    }
  }
  if (Commands.linesNotRun > 0 && !output_.Failed()) {
    diagnostics_.Report("the event has " +
                        std::to_string(global::kMaxSteps + Commands.linesNotRun) +
                        " step lines: the " + std::to_string(Commands.linesNotRun) +
                        " after the 20th are not run (an event runs at most 20 steps)");
  }
}

bool EventInterpreter::PortFailed() const {
  return output_.Failed();
}

EventInterpreter::ReadArray& EventInterpreter::ReadArrayOf(const global::StepArray& Commands) {
  for (ReadArray& read : readArrays_) {
    if (read.array == &Commands) return read;
  }
  // A few arrays run again and again (the standard events, the chosen one);
  // the oldest of the others makes room.
  if (readArrays_.size() == kReadArrays) readArrays_.erase(readArrays_.begin());
  readArrays_.emplace_back();
  readArrays_.back().array = &Commands;
  return readArrays_.back();
}

const StepLine& EventInterpreter::LineAt(ReadArray& read, std::size_t slot,
                                         const std::string& step) {
  if (!read.read[slot] || read.text[slot] != step) {
    read.text[slot] = step;
    read.lines[slot] = ReadStepLine(step);
    read.read[slot] = true;
  }
  return read.lines[slot];
}

void EventInterpreter::Delay(const std::string& step, std::int16_t milliseconds,
                             bool DontUpdateForm) {
  if (milliseconds < 0) {
    diagnostics_.Report("step '" + Abbreviate(step) + "': a negative delay waits 0 ms");
  }
  sleeper_.Sleep(milliseconds < 0 ? 0u : static_cast<std::uint32_t>(milliseconds));
  output_.UpdateOutput(global_.OutputByte, DontUpdateForm);
}

void EventInterpreter::Transmit(const StepLine& line, std::uint8_t& toSend, bool DontUpdateForm) {
  if (line.value) toSend = *line.value;
  if (line.leastSignificantFirst) toSend = port::ReverseBits(toSend);

  // The idle clock level is set in the byte but not written: the first write of
  // each bit moves SCLK away from idle and sets SDA, the second returns SCLK to
  // idle with SDA stable, the edge the module samples on.
  std::uint8_t out = static_cast<std::uint8_t>(line.byte | (line.clockStartsHigh ? kClockLine : 0));
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

void EventInterpreter::Skip(const std::string& step, const std::string& reason) {
  diagnostics_.Report("step '" + Abbreviate(step) + "' skipped: " + reason);
}

}  // namespace quorvane::events
