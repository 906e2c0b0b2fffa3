#include "platform/ports/adapters/AdapterAddresses.h"

#include <charconv>
#include <optional>
#include <vector>

namespace quorvane::platform {

namespace {

constexpr unsigned kHighestIndex = 255;
constexpr unsigned kHighestLine = 65535;

// The whole text as a number of the radix, from lowest to highest.
std::optional<unsigned> ReadWhole(std::string_view text, int radix, unsigned lowest,
                                  unsigned highest) {
  if (text.empty()) return std::nullopt;
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, radix);
  if (error != std::errc{} || stop != end || value < lowest || value > highest) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint16_t> ReadHexId(std::string_view text, unsigned lowest) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.size() > 4) return std::nullopt;
  const auto value = ReadWhole(text, 16, lowest, 0xFFFF);
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

}  // namespace

ParsedFtdiRate ParseFtdiRate(std::string_view text) {
  ParsedFtdiRate parsed;
  const auto rate = ReadWhole(text, 10, kLowestFtdiRate, kHighestFtdiRate);
  if (!rate) {
    parsed.error = "the FTDI bit-bang rate '" + std::string(text) +
                   "' is not understood; give it as ftdi@RATE or ftdi:VID:PID@RATE, a whole "
                   "number from " +
                   std::to_string(kLowestFtdiRate) + " to " + std::to_string(kHighestFtdiRate) +
                   " (default " + std::to_string(kDefaultFtdiRate) + ", " +
                   std::to_string(kFtdiWritesPerRate * kDefaultFtdiRate) +
                   " writes a second on an FT232R)";
    return parsed;
  }
  parsed.rate = static_cast<int>(*rate);
  return parsed;
}

ParsedFtdiAddress ParseFtdiAddress(std::string_view text) {
  ParsedFtdiAddress parsed;
  if (const auto at = text.find('@'); at != std::string_view::npos) {
    const ParsedFtdiRate rate = ParseFtdiRate(text.substr(at + 1));
    if (!rate.error.empty()) {
      parsed.error = rate.error;
      return parsed;
    }
    parsed = ParseFtdiAddress(text.substr(0, at));
    parsed.address.rate = rate.rate;
    return parsed;
  }
  const std::vector<std::string_view> parts = Split(text, ':');
  const auto vendor = ReadHexId(parts[0], 1);
  const auto product = parts.size() > 1 ? ReadHexId(parts[1], 0) : std::nullopt;
  const auto index =
      parts.size() > 2 ? ReadWhole(parts[2], 10, 0, kHighestIndex) : std::optional<unsigned>(0);
  if (parts.size() > 3 || !vendor || !product || !index) {
    parsed.error = "the FTDI adapter '" + std::string(text) +
                   "' is not understood; give it as ftdi:VID:PID or ftdi:VID:PID:INDEX, the "
                   "USB ID in hex as lsusb shows it (ftdi:0403:6014), the index from 0 to 255";
    return parsed;
  }
  parsed.address = {{{*vendor, *product}}, *index};
  return parsed;
}

std::string FtdiPortText(UsbId id, unsigned index, int rate) {
  std::string portText = "ftdi:" + UsbIdText(id);
  if (index != 0) {
    portText += ':';
    portText += std::to_string(index);
  }
  if (rate != kDefaultFtdiRate) {
    portText += '@';
    portText += std::to_string(rate);
  }
  return portText;
}

std::string GpioPortText(const GpioAddress& address) {
  std::string text = "gpio:" + address.chip + ":";
  for (std::size_t n = 0; n < address.lines.size(); ++n) {
    if (n > 0) text += ',';
    text += std::to_string(address.lines[n]);
  }
  return text;
}

ParsedGpioAddress ParseGpioAddress(std::string_view text) {
  ParsedGpioAddress parsed;
  const auto colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) {
    parsed.error = "'gpio:" + std::string(text) +
                   "' is not understood; give the chip and the lines for D0 to D4 as "
                   "gpio:CHIP:L0,L1,L2,L3,L4 (gpio:gpiochip0:17,27,22,23,24)";
    return parsed;
  }
  const std::string_view lineText = text.substr(colon + 1);
  const std::vector<std::string_view> parts = Split(lineText, ',');
  GpioAddress& address = parsed.address;
  address.chip = std::string(text.substr(0, colon));
  bool understood = parts.size() == GpioAddress::kLineCount;
  for (std::size_t n = 0; understood && n < parts.size(); ++n) {
    const auto line = ReadWhole(parts[n], 10, 0, kHighestLine);
    understood = line.has_value();
    if (line) address.lines[n] = *line;
  }
  if (!understood) {
    parsed.error = "the GPIO lines '" + std::string(lineText) +
                   "' are not understood; give five line offsets for D0 to D4, in decimal and "
                   "separated by commas (gpio:gpiochip0:17,27,22,23,24)";
    return parsed;
  }
  for (std::size_t n = 0; n < address.lines.size(); ++n) {
    for (std::size_t m = 0; m < n; ++m) {
      if (address.lines[m] == address.lines[n]) {
        parsed.error = "the GPIO line " + std::to_string(address.lines[n]) +
                       " is given twice; each of D0 to D4 needs a line of its own";
        return parsed;
      }
    }
  }
  return parsed;
}

}  // namespace quorvane::platform
