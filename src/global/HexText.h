#pragma once
// Numbers in hexadecimal as the program writes them: "0x21" for a byte in the
// traces and logs, "io:0x378" for a port base, "0403" for a USB ID as lsusb
// shows it.

#include <cstdint>
#include <string>

namespace quorvane::global {

enum class HexCase { Upper, Lower };

// At least `digits` hex digits, without a prefix: HexDigits(0x403, 4,
// HexCase::Lower) is "0403".
std::string HexDigits(std::uint32_t value, int digits = 1, HexCase letters = HexCase::Upper);

// "0x" and at least `digits` upper-case digits: HexNumber(0x21, 2) is "0x21",
// HexNumber(0x378) is "0x378".
std::string HexNumber(std::uint32_t value, int digits = 1);

}  // namespace quorvane::global
