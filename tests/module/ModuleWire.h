#pragma once
// Data-register bytes for driving the emulated module by hand: a byte clocked
// in as the shipped events clock it (SDA set with SCLK low, then SCLK raised),
// with CS low and RESET high.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "module/Pcd8544.h"

namespace quorvane::testing {

inline constexpr std::uint8_t kIdle = module::kResetLine | module::kCsLine | module::kSclkLine;

inline std::vector<std::uint8_t> ClockedByte(std::uint8_t byte, bool data) {
  const std::uint8_t base = module::kResetLine | (data ? module::kDcLine : 0);
  std::vector<std::uint8_t> writes;
  for (int n = 7; n >= 0; --n) {
    const std::uint8_t sda = (byte >> n & 1) ? module::kSdaLine : 0;
    writes.push_back(static_cast<std::uint8_t>(base | sda));
    writes.push_back(static_cast<std::uint8_t>(base | sda | module::kSclkLine));
  }
  writes.push_back(kIdle);
  return writes;
}

inline void Feed(module::Pcd8544& module, const std::vector<std::uint8_t>& writes) {
  for (const std::uint8_t lines : writes) module.Write(lines);
}

inline void SendCommands(module::Pcd8544& module, std::initializer_list<std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) Feed(module, ClockedByte(byte, false));
}

inline void SendData(module::Pcd8544& module, std::initializer_list<std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) Feed(module, ClockedByte(byte, true));
}

// A module after power-on and a RESET low pulse, the lines idle and the log
// empty: the registers in their reset state, the RAM still holding what it
// held at power-on.
inline module::Pcd8544 ResetModule() {
  module::Pcd8544 module;
  Feed(module, {kIdle & ~module::kResetLine, kIdle});
  module.ClearLog();
  return module;
}

// The same with the RAM cleared by 504 zero data bytes, after which the
// address has wrapped back to X = 0, Y = 0.
inline module::Pcd8544 ClearedModule() {
  module::Pcd8544 module = ResetModule();
  for (int k = 0; k < module::kColumns * module::kBanks; ++k) {
    Feed(module, ClockedByte(0, true));
  }
  module.ClearLog();
  return module;
}

// The decoded log in words, oldest first.
inline std::vector<std::string> LogLines(const module::Pcd8544& module) {
  std::vector<std::string> lines;
  const module::DecodedLog& log = module.Log();
  for (std::uint64_t n = log.FirstKept(); n < log.Total(); ++n) {
    lines.push_back(module::DescribeEntry(log.At(n)));
  }
  return lines;
}

}  // namespace quorvane::testing
