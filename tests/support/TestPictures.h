#pragma once
// Pictures made in code: from a rule for each pixel, saved as files, and the
// bare headers of bitmaps that promise what they do not hold.

#include <QImage>
#include <QString>
#include <cstdint>
#include <string>

namespace quorvane::testing {

// A width × height picture whose pixel (x, y) is colour(x, y), a QRgb.
template <typename Colour>
QImage PictureOf(int width, int height, Colour colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, colour(x, y));
  }
  return picture;
}

// The same in black and white: black where black(x, y).
template <typename Rule>
QImage BlackWhere(int width, int height, Rule black) {
  return PictureOf(width, height,
                   [&](int x, int y) { return black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255); });
}

// Saves the picture in the format ("BMP", "JPEG", "PNG") and gives the path.
inline std::string SavePicture(const QImage& picture, const std::string& path,
                               const char* format = "BMP") {
  picture.save(QString::fromStdString(path), format);
  return path;
}

// The 54 bytes a 24-bit bitmap begins with, its file header and 40-byte info
// header, for width × height pixels; `fileSize` is the size the file header
// claims. No pixels follow.
inline std::string BitmapHeader(std::uint32_t width, std::uint32_t height,
                                std::uint32_t fileSize = 54) {
  std::string header = "BM";
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(fileSize, 4), put(0, 4), put(54, 4);  // the pixels would start after the headers
  put(40, 4), put(width, 4), put(height, 4), put(1, 2), put(24, 2);
  for (int n = 0; n < 6; ++n) put(0, 4);  // uncompressed; sizes and colours left to the reader
  return header;
}

}  // namespace quorvane::testing
