#pragma once
// Picture files as the image transfer takes them: bitmaps, JPEG and PNG
// pictures, checked before they are decoded, and stretched onto the 84 × 48
// surface.

#include <QImage>
#include <QString>

#include "image/PictureScan.h"

namespace quorvane::image {

inline constexpr int kSurfaceWidth = 84;
inline constexpr int kSurfaceHeight = 48;
// The largest picture that is decoded: 16,000 pixels a side and 256 MiB.
inline constexpr int kMaxPictureSide = 16000;
inline constexpr qint64 kMaxDecodedBytes = 256LL * 1024 * 1024;

struct LoadedPicture {
  QImage picture;  // null when the file was refused
  QString error;   // why, in plain words
};

// Loads a bitmap, JPEG or PNG file. Missing, unreadable, damaged or other files and
// pictures beyond the size limits are refused with the reason.
LoadedPicture LoadPicture(const QString& path);

// Draws the picture stretched over the whole surface, its transparent parts
// over white.
void DrawStretched(QImage& surface, const QImage& picture);

// The pixels of a QImage for the scan.
class ImagePixels final : public PixelSource {
 public:
  explicit ImagePixels(const QImage& image);
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  std::int32_t ColourValue(int x, int y) const override;

 private:
  QImage image_;
};

}  // namespace quorvane::image
