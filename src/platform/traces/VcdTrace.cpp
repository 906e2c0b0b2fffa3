#include "platform/traces/VcdTrace.h"

#include <algorithm>
#include <array>

#include "global/Wiring.h"
#include "platform/ports/Port.h"

namespace quorvane::platform {
namespace {

constexpr std::uint8_t kLineMask = global::kSignalLineMask;

// Bit n of the data register is wire n, with the identifier 'a' + n.
constexpr char WireId(std::size_t bit) {
  return static_cast<char>('a' + bit);
}

std::string Header() {
  std::string header =
      "$version Quorvane port trace $end\n"
      "$timescale 1 us $end\n"
      "$scope module lcd $end\n";
  for (std::size_t bit = 0; bit < global::kSignalLineNames.size(); ++bit) {
    header += std::string("$var wire 1 ") + WireId(bit) + ' ' + global::kSignalLineNames[bit].wire +
              " $end\n";
  }
  return header + "$upscope $end\n$enddefinitions $end\n";
}

void AppendTime(std::string& text, std::uint64_t time) {
  text += '#';
  text += std::to_string(time);
  text += '\n';
}

// One value change per wire whose bit is set in `which`.
void AppendValues(std::string& text, std::uint8_t lines, std::uint8_t which) {
  for (std::size_t bit = 0; bit < global::kSignalLineNames.size(); ++bit) {
    if ((which >> bit & 1) == 0) continue;
    text += (lines >> bit & 1) != 0 ? '1' : '0';
    text += WireId(bit);
    text += '\n';
  }
}

}  // namespace

VcdTraceWriter::VcdTraceWriter(const std::string& path) : TraceFileSink(path) {
  file_.Write(Header());
}

void VcdTraceWriter::Record(std::uint64_t, std::uint64_t timeMicros, std::uint16_t address,
                            std::uint8_t value) {
  if (!file_.Ok() || address != kDataRegister) return;
  const std::uint8_t lines = value & kLineMask;
  std::string text;
  std::uint64_t time = timeMicros;
  if (!lines_) {
    // Every wire gets its value at time 0. Before the program's first write the
    // port's lines are not known: they stand as x until that write.
    text = "#0\n$dumpvars\n";
    if (time == 0) {
      AppendValues(text, lines, kLineMask);
    } else {
      for (std::size_t bit = 0; bit < global::kSignalLineNames.size(); ++bit) {
        text += std::string("x") + WireId(bit) + '\n';
      }
    }
    text += "$end\n";
    if (time != 0) {
      AppendTime(text, time);
      AppendValues(text, lines, kLineMask);
    }
  } else {
    const std::uint8_t changed = lines ^ *lines_;
    if (changed == 0) return;  // no edge on any wire
    // A change at or before the previous one moves on to one microsecond
    // after it, and the dump's clock stays ahead by what was added: every
    // later change moves with it, so the gap to the next write (a wait after
    // a burst made at one instant) keeps its full length.
    time = std::max(timeMicros + ahead_, lastTime_ + 1);
    ahead_ = time - timeMicros;
    AppendTime(text, time);
    AppendValues(text, lines, changed);
  }
  // Viewers end a dump at its last timestamp and would not show the changes
  // made there; a closing timestamp one microsecond later makes them visible.
  // The next change overwrites it, in the same write as the change itself (a
  // file that cannot seek keeps it: an empty timestamp is harmless).
  std::string closing;
  AppendTime(closing, time + 1);
  text += closing;
  file_.BackUp(closingLength_);
  file_.Write(text);
  closingLength_ = static_cast<long>(closing.size());
  lines_ = lines;
  lastTime_ = time;
}

}  // namespace quorvane::platform
