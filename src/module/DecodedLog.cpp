#include "module/DecodedLog.h"

#include <algorithm>
#include <cstdio>

#include "global/HexText.h"
#include "module/Instruction.h"

namespace quorvane::module {

namespace {

std::string DescribeSetupViolation(std::uint8_t value) {
  const unsigned sdaLate = value & kSdaLateMask;
  std::string text = "setup time violated: ";
  if (sdaLate != 0) {
    text +=
        "SDA changed with " + std::to_string(sdaLate) + " clock edge" + (sdaLate == 1 ? "" : "s");
  }
  if (value & kDcLate) {
    text += sdaLate != 0 ? ", D/C with the eighth" : "D/C changed with the eighth clock edge";
  }
  return text + "; the levels before the edges count";
}

std::string DescribeIgnoredEdge(std::uint8_t value) {
  const bool csFell = (value & kCsFell) != 0;
  const bool resetRose = (value & kResetRose) != 0;
  std::string text = "clock edge ignored: ";
  text += csFell && resetRose ? "CS fell and RESET rose" : resetRose ? "RESET rose" : "CS fell";
  text += " in the same write; the chip takes an edge only once CS is low and RESET high";
  return text;
}

}  // namespace

std::string DescribeEntry(const LogEntry& entry) {
  char text[64];
  switch (entry.kind) {
    case LogKind::Command:
      return "command " + DescribeCommand(entry.value, entry.extended, entry.powerDown);
    case LogKind::Data:
      return "data " + global::HexNumber(entry.value, 2) + " at X = " + std::to_string(entry.x) +
             ", Y = " + std::to_string(entry.y);
    case LogKind::DroppedByCs:
    case LogKind::DroppedByReset:
      std::snprintf(text, sizeof text, "dropped %u bit%s: %s", static_cast<unsigned>(entry.value),
                    entry.value == 1 ? "" : "s",
                    entry.kind == LogKind::DroppedByCs ? "CS raised" : "RESET low");
      return text;
    case LogKind::Reset:
      return "RESET low: reset state";
    case LogKind::NoReset:
      return "no reset since power-on: state undefined";
    case LogKind::SetupViolation:
      return DescribeSetupViolation(entry.value);
    case LogKind::EdgeIgnored:
      return DescribeIgnoredEdge(entry.value);
    case LogKind::SupplyOff:
      return "supply off (power switch): the module ignores its lines";
    case LogKind::SupplyOn:
      return entry.value != 0 ? "supply on with RESET low: reset state, RAM undefined"
                              : "supply on: registers and RAM undefined";
  }
  return {};
}

DecodedLog::DecodedLog(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void DecodedLog::Add(const LogEntry& entry) {
  if (entries_.size() < capacity_) {
    entries_.push_back(entry);
  } else {
    entries_[next_] = entry;
    if (++next_ == capacity_) next_ = 0;
  }
  ++total_;
}

void DecodedLog::Clear() {
  entries_.clear();
  next_ = 0;
  total_ = 0;
  ++clears_;
}

const LogEntry& DecodedLog::At(std::uint64_t n) const {
  static const LogEntry kNone{};
  if (n < FirstKept() || n >= total_) return kNone;
  const auto offset = static_cast<std::size_t>(n - FirstKept());
  return entries_[(next_ + offset) % entries_.size()];
}

}  // namespace quorvane::module
