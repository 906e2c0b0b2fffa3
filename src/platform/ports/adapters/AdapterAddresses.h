#pragma once
// Reading the addresses of the USB adapter and GPIO backends from the port
// text: what follows "ftdi:" and "gpio:".

#include <string>
#include <string_view>

#include "platform/ports/adapters/FtdiPort.h"
#include "platform/ports/adapters/GpioPort.h"

namespace quorvane::platform {

struct ParsedFtdiAddress {
  FtdiAddress address;
  std::string error;  // empty when the text is understood
};

struct ParsedGpioAddress {
  GpioAddress address;
  std::string error;  // empty when the text is understood
};

// "VID:PID" or "VID:PID:INDEX": the USB ID in hex as lsusb shows it, with or
// without 0x (vendor 1 to ffff, product 0 to ffff), the index in decimal from
// 0 to 255; either may end in "@RATE", the bit-bang rate (ParseFtdiRate).
ParsedFtdiAddress ParseFtdiAddress(std::string_view text);

struct ParsedFtdiRate {
  int rate = kDefaultFtdiRate;
  std::string error;  // empty when the text is understood
};

// What follows the "@" of ftdi@RATE and ftdi:VID:PID@RATE: the bit-bang rate
// handed to libftdi, a whole number in decimal from kLowestFtdiRate to
// kHighestFtdiRate.
ParsedFtdiRate ParseFtdiRate(std::string_view text);

// The port text that opens the same adapter or lines again: "ftdi:0403:6001"
// (with ":INDEX" when it is not 0, "@RATE" when the rate is not the default)
// and "gpio:gpiochip0:17,27,22,23,24".
std::string FtdiPortText(UsbId id, unsigned index, int rate = kDefaultFtdiRate);
std::string GpioPortText(const GpioAddress& address);

// "CHIP:L0,L1,L2,L3,L4": the chip (anything up to the last colon) and five
// different line offsets in decimal for D0 to D4.
ParsedGpioAddress ParseGpioAddress(std::string_view text);

}  // namespace quorvane::platform
