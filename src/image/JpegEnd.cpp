#include "image/JpegEnd.h"

#include <cstring>

namespace quorvane::image {
namespace {

constexpr unsigned kStartOfImage = 0xD8;
constexpr unsigned kEndOfImage = 0xD9;
constexpr unsigned kStartOfScan = 0xDA;

// Markers that stand alone, without a length: restarts and TEM.
bool StandsAlone(unsigned code) {
  return code == 0x01 || code == kStartOfImage || (code >= 0xD0 && code <= 0xD7);
}

// The position of the next 0xFF at or after from; the end when there is none.
std::size_t NextFF(std::string_view bytes, std::size_t from) {
  if (from >= bytes.size()) return bytes.size();
  const void* found = std::memchr(bytes.data() + from, 0xFF, bytes.size() - from);
  return found == nullptr
             ? bytes.size()
             : static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
}

}  // namespace

std::optional<std::size_t> JpegPictureEnd(std::string_view bytes) {
  const std::size_t size = bytes.size();
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (size < 2 || at(0) != 0xFF || at(1) != kStartOfImage) return std::nullopt;
  std::size_t i = 2;
  for (;;) {
    // A marker: 0xFF, any number of 0xFF fill bytes, then its code. Stray
    // bytes before it are skipped, as the decoder skips them.
    i = NextFF(bytes, i);
    while (i < size && at(i) == 0xFF) ++i;
    if (i >= size) return std::nullopt;
    const unsigned code = at(i++);
    if (code == kEndOfImage) return i;
    if (StandsAlone(code)) continue;
    // A segment: a 16-bit length that counts itself, then its contents.
    if (size - i < 2) return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(at(i)) << 8 | at(i + 1);
    if (length < 2 || size - i < length) return std::nullopt;
    i += length;
    if (code != kStartOfScan) continue;
    // The scan's coded data: a 0xFF in it is followed by 0x00 (a stuffed
    // byte) or a restart marker; anything else is the next marker.
    for (;;) {
      i = NextFF(bytes, i);
      if (size - i < 2) return std::nullopt;
      const unsigned next = at(i + 1);
      if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
        i += 2;
        continue;
      }
      break;
    }
  }
}

}  // namespace quorvane::image
