#pragma once
// The bytes on the serial wire, read back from the data-register writes that
// carried them: with CS (D3) low, SDA (D1) is sampled on each rising SCLK (D0)
// edge, most significant bit first; D/C (D2) is taken with the eighth bit, and
// CS high drops a partial byte. Gives "c33" for a command byte 33, "d7" for a
// data byte 7.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::testing {

// `previous`: the lines before the first write.
inline std::vector<std::string> DecodeWire(const std::vector<std::uint8_t>& writes,
                                           std::uint8_t previous = 0) {
  std::vector<std::string> bytes;
  unsigned shift = 0, count = 0;
  for (const std::uint8_t now : writes) {
    if (now & 8) {
      count = 0;
    } else if (!(previous & 1) && (now & 1)) {
      shift = (shift << 1 | (now >> 1 & 1)) & 0xFF;
      if (++count == 8) {
        bytes.push_back(std::string((now & 4) ? "d" : "c").append(std::to_string(shift)));
        count = 0;
      }
    }
    previous = now;
  }
  return bytes;
}

}  // namespace quorvane::testing
