#include "image/JpegEnd.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::image {
namespace {

// JPEG pieces built in code: markers, segments with their length, scan data.
std::string Marker(unsigned code) {
  return {'\xFF', static_cast<char>(code)};
}

std::string Segment(unsigned code, const std::string& contents) {
  const std::size_t length = contents.size() + 2;
  return Marker(code) + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) +
         contents;
}

const std::string kStart = Marker(0xD8);
const std::string kEnd = Marker(0xD9);
// A JFIF header whose contents hold an end-of-image pair, as an embedded
// thumbnail does: it lies inside a segment and ends nothing.
const std::string kHeader = Segment(0xE0, std::string("JFIF\0\x01\x02\xFF\xD9", 9));
const std::string kTables = Segment(0xDB, std::string(65, '\x01')) +
                            Segment(0xC0, std::string("\x08\0\x10\0\x10\x01\x01\x11\0", 9)) +
                            Segment(0xC4, std::string(20, '\x02'));
const std::string kScanHeader = Segment(0xDA, std::string("\x01\x01\0\0\x3F\0", 6));
// Coded data with a stuffed 0xFF, a restart marker and ordinary bytes.
const std::string kCoded = std::string("\x12\x34\xFF\x00\x56", 5) + Marker(0xD3) + "\x78\x9A";

const std::string kWhole = kStart + kHeader + kTables + kScanHeader + kCoded + kEnd;

struct Case {
  const char* name;
  std::string bytes;
  std::optional<std::size_t> end;
};

TEST(JpegPictureEnd, FindsTheEndOfImageAfterTheLastScan) {
  const std::string progressive = kStart + kHeader + kTables + kScanHeader + kCoded +
                                  Segment(0xC4, std::string(20, '\x03')) + kScanHeader + kCoded +
                                  kEnd;
  const std::string fillBytes = kStart + kTables + kScanHeader + kCoded + "\xFF\xFF\xFF" + kEnd;
  const Case cases[] = {
      {"whole", kWhole, kWhole.size()},
      {"1,000-byte trailer", kWhole + std::string(1000, 'v'), kWhole.size()},
      {"second picture after it", kWhole + kWhole, kWhole.size()},
      {"two scans", progressive, progressive.size()},
      {"fill bytes before the end", fillBytes, fillBytes.size()},
      {"stray bytes between segments", kStart + "xy" + kTables + kScanHeader + kCoded + kEnd,
       kTables.size() + kScanHeader.size() + kCoded.size() + 6},
  };
  for (const Case& c : cases) EXPECT_EQ(JpegPictureEnd(c.bytes), c.end) << c.name;
}

TEST(JpegPictureEnd, FilesThatEndBeforeThePictureHaveNoEnd) {
  const std::string cutScan = kStart + kHeader + kTables + kScanHeader + kCoded;
  const Case cases[] = {
      {"empty", "", std::nullopt},
      {"not a JPEG", "BM" + kWhole, std::nullopt},
      {"start only", kStart, std::nullopt},
      {"cut inside the scan", cutScan, std::nullopt},
      {"cut inside the scan, trailing 0xFF", cutScan + "\xFF", std::nullopt},
      {"cut inside a segment", kWhole.substr(0, kStart.size() + 5), std::nullopt},
      {"cut inside a segment's length", kStart + "\xFF\xE0\x01", std::nullopt},
      {"segment longer than the file", kStart + Segment(0xE0, "abc").substr(0, 6), std::nullopt},
      {"segment length below two", kStart + "\xFF\xE0" + std::string("\0\x01", 2) + kEnd,
       std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(JpegPictureEnd(c.bytes), c.end) << c.name;
  // Every cut of a whole picture before its end marker has no end.
  for (std::size_t length = 0; length < kWhole.size(); ++length) {
    EXPECT_EQ(JpegPictureEnd(kWhole.substr(0, length)), std::nullopt) << length;
  }
}

}  // namespace
}  // namespace quorvane::image
