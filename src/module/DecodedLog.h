#pragma once
// What the module made of the wire, byte by byte: each byte it accepted as a
// command or as data, each partial byte it dropped, each reset, each clock
// edge that came with its data or before CS and RESET let the chip listen, and
// the supply switched off and on. Entries are
// kept compact and put into words only when read, so that the port path pays
// for a few stores per byte; the newest kLogCapacity entries are kept.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::module {

inline constexpr std::size_t kLogCapacity = 20000;

enum class LogKind : std::uint8_t {
  Command,         // value: the byte; extended: the instruction set it was read in;
                   // powerDown: the controller was in power-down
  Data,            // value: the byte; x, y: where it was written
  DroppedByCs,     // value: the number of bits received (1 to 7)
  DroppedByReset,  // value: the number of bits received (1 to 7)
  Reset,           // RESET went low
  NoReset,         // the first byte since power-on came before any reset
  SetupViolation,  // value: kSdaLateMask the edges SDA changed with, kDcLate
  EdgeIgnored,     // value: kCsFell, kResetRose: what changed with the clock edge
  SupplyOff,       // the power switch turned the module's supply off
  SupplyOn         // value: 1 when RESET was low as the supply came on
};

// A setup-time violation's value: the number of clock edges that came in the
// same write as a change of SDA, and whether D/C changed with the eighth edge.
inline constexpr std::uint8_t kSdaLateMask = 0x0F;
inline constexpr std::uint8_t kDcLate = 0x80;

// An ignored clock edge's value: the chip starts listening only once CS is
// low and RESET high, so an edge in the same write as either change is lost.
inline constexpr std::uint8_t kCsFell = 1;
inline constexpr std::uint8_t kResetRose = 2;

struct LogEntry {
  LogKind kind = LogKind::Command;
  std::uint8_t value = 0;
  bool extended = false;
  bool powerDown = false;
  std::uint8_t x = 0;
  std::uint8_t y = 0;
  friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

// "command 0x21 function set: active, horizontal, extended set",
// "data 0x3C at X = 5, Y = 2", "dropped 5 bits: CS raised",
// "clock edge ignored: CS fell in the same write; ...",
// "no reset since power-on: state undefined".
std::string DescribeEntry(const LogEntry& entry);

class DecodedLog {
 public:
  explicit DecodedLog(std::size_t capacity = kLogCapacity);

  void Add(const LogEntry& entry);
  void Clear();
  // Entries added since the start (or the last Clear), kept or not.
  std::uint64_t Total() const { return total_; }
  // How often the log was cleared: entry numbers name other entries after it.
  std::uint64_t Clears() const { return clears_; }
  // The number of the oldest entry still kept (entries count from 0).
  std::uint64_t FirstKept() const { return total_ - entries_.size(); }
  // Entry number n, kept from FirstKept() to Total() − 1 (an empty command
  // entry outside that range).
  const LogEntry& At(std::uint64_t n) const;

 private:
  std::size_t capacity_;
  std::vector<LogEntry> entries_;  // a ring once full: next_ is the oldest
  std::size_t next_ = 0;
  std::uint64_t total_ = 0;
  std::uint64_t clears_ = 0;
};

}  // namespace quorvane::module
