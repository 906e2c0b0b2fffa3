#include "module/DotsImage.h"

#include <QSaveFile>
#include <algorithm>

namespace quorvane::module {
namespace {

QRgb Blend(const PanelColours& colours, int darkness) {
  const auto mix = [darkness](int clear, int dark) {
    return (clear * (255 - darkness) + dark * darkness + 127) / 255;
  };
  return qRgb(mix(qRed(colours.clear), qRed(colours.dark)),
              mix(qGreen(colours.clear), qGreen(colours.dark)),
              mix(qBlue(colours.clear), qBlue(colours.dark)));
}

}  // namespace

QImage DotsImage(const PanelDots& dots, int scale, const PanelColours& colours, int gap) {
  scale = std::clamp(scale, 1, kMaxPanelScale);
  if (gap >= scale) gap = 0;
  QImage image(kColumns * scale, kRows * scale, QImage::Format_RGB32);
  image.fill(Blend(colours, 0));
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      const QRgb colour = Blend(colours, dots.At(x, y));
      for (int row = 0; row < scale - gap; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y * scale + row));
        std::fill(line + x * scale, line + x * scale + scale - gap, colour);
      }
    }
  }
  return image;
}

QString SavePanelPng(const PanelDots& dots, int scale, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return "cannot write " + path + ": " + file.errorString();
  }
  if (!DotsImage(dots, scale).save(&file, "PNG")) {
    file.cancelWriting();
    return "cannot write " + path + ": the PNG could not be encoded";
  }
  if (!file.commit()) return "cannot write " + path + ": " + file.errorString();
  return {};
}

}  // namespace quorvane::module
