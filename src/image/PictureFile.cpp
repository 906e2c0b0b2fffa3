#include "image/PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cstdlib>

#include "image/JpegEnd.h"

namespace quorvane::image {
namespace {

std::uint32_t LittleEndian(const QByteArray& bytes, int offset, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
  }
  return value;
}

// The bitmap decoder fills a cut-off picture silently; a file that ends
// before its pixels do is damaged, and is said to be.
bool BitmapEndsEarly(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  const QByteArray header = file.read(54);
  if (header.size() < 34) return true;
  const std::uint32_t pixelsAt = LittleEndian(header, 10, 4);
  const std::uint32_t infoSize = LittleEndian(header, 14, 4);
  if (infoSize < 40) return false;  // the old small header: left to the decoder
  const auto width = static_cast<std::int32_t>(LittleEndian(header, 18, 4));
  const auto height = static_cast<std::int32_t>(LittleEndian(header, 22, 4));
  const std::uint32_t bitsPerPixel = LittleEndian(header, 28, 2);
  const std::uint32_t compression = LittleEndian(header, 30, 4);
  if (compression != 0 && compression != 3) return false;  // run-length: variable size
  const qint64 stride = (static_cast<qint64>(std::abs(width)) * bitsPerPixel + 31) / 32 * 4;
  return size < pixelsAt + stride * std::abs(static_cast<qint64>(height));
}

// The JPEG decoder, given a file cut off inside its scan, warns, pads the
// missing rows with grey and reports success. Such a file has no end-of-image
// marker after its scan data; a whole picture has one, wherever it lies in
// the file (data appended after it is no part of the picture).
bool JpegEndsEarly(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  if (const uchar* mapped = file.map(0, size)) {
    return !JpegPictureEnd({reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(size)});
  }
  const QByteArray bytes = file.readAll();
  return !JpegPictureEnd({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

// The size a bitmap's header gives, read here because the decoder refuses to
// say anything about a header beyond its own limits.
QSize BitmapHeaderSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray header = file.read(26);
  if (header.size() < 26 || !header.startsWith("BM")) return {};
  const std::uint32_t infoSize = LittleEndian(header, 14, 4);
  if (infoSize == 12) {  // the old small header: 16-bit sizes
    return {static_cast<int>(LittleEndian(header, 18, 2)),
            static_cast<int>(LittleEndian(header, 20, 2))};
  }
  const auto width = static_cast<std::int32_t>(LittleEndian(header, 18, 4));
  const auto height = static_cast<std::int32_t>(LittleEndian(header, 22, 4));
  return {std::abs(width), std::abs(height)};
}

bool TooLarge(const QSize& size) {
  return size.isValid() &&
         (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
          static_cast<qint64>(size.width()) * size.height() * 4 > kMaxDecodedBytes);
}

QString TooLargeReason(const QSize& size) {
  return QString("the picture is too large (%1 × %2 pixels; at most 16,000 × 16,000 and 256 MiB)")
      .arg(size.width())
      .arg(size.height());
}

}  // namespace

LoadedPicture LoadPicture(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {{}, "the file does not exist"};
  if (!info.isFile()) return {{}, "it is not a file"};
  QImageReader reader(path);
  reader.setAutoTransform(false);
  // The limits are checked on the header, before anything is decoded, so a
  // small file that unpacks into gigabytes is refused at once.
  QImageReader::setAllocationLimit(static_cast<int>(kMaxDecodedBytes / (1024 * 1024)));
  if (const QSize size = BitmapHeaderSize(path); TooLarge(size)) return {{}, TooLargeReason(size)};
  const QByteArray format = reader.format();
  if (format.isEmpty()) {
    return {{},
            info.isReadable() ? "it is not a picture that can be read" : "the file cannot be read"};
  }
  if (format != "bmp" && format != "jpeg" && format != "png") {
    return {{},
            "it is not a bitmap, JPEG or PNG picture (it is " + QString(format).toUpper() + ")"};
  }
  if (const QSize size = reader.size(); TooLarge(size)) return {{}, TooLargeReason(size)};
  if (format == "bmp" && BitmapEndsEarly(path)) {
    return {{}, "the picture is damaged (the file ends early)"};
  }
  if (format == "jpeg" && JpegEndsEarly(path)) {
    return {{}, "the picture is damaged (the file ends inside its picture data)"};
  }
  QImage picture = reader.read();
  if (picture.isNull()) return {{}, "the picture is damaged (" + reader.errorString() + ")"};
  if (picture.width() == 0 || picture.height() == 0) return {{}, "the picture is empty"};
  return {picture, {}};
}

void DrawStretched(QImage& surface, const QImage& picture) {
  QPainter painter(&surface);
  // A new picture replaces the whole surface: transparent pixels show white,
  // as picture viewers show them, never what the surface held before.
  painter.fillRect(surface.rect(), Qt::white);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(0, 0, surface.width(), surface.height()), picture);
}

ImagePixels::ImagePixels(const QImage& image)
    : image_(image.convertToFormat(QImage::Format_RGB32)) {}

std::int32_t ImagePixels::ColourValue(int x, int y) const {
  const QRgb pixel = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
  return qRed(pixel) + 256 * qGreen(pixel) + 65536 * qBlue(pixel);
}

}  // namespace quorvane::image
