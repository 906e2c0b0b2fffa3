#pragma once
// The dots of the panel as a picture, and as a PNG file: each dot a square of
// scale × scale pixels, blended from the clear colour to the dark colour by
// its darkness.

#include <QImage>
#include <QString>

#include "module/ShownDots.h"

namespace quorvane::module {

struct PanelColours {
  QRgb clear;
  QRgb dark;
};
// Black for a dark dot, white for a clear one.
inline constexpr PanelColours kPaperColours{0xFFFFFFFFu, 0xFF000000u};

// scale is clamped to 1 to kMaxPanelScale. With gap > 0 the last gap rows and
// columns of each dot's square keep the clear colour, as the spaces between
// the electrodes of real glass do (only when the square stays wider than the gap).
QImage DotsImage(const PanelDots& dots, int scale, const PanelColours& colours = kPaperColours,
                 int gap = 0);

// Writes the picture as a PNG file, whole or not at all. Empty when it was
// written, else why not.
QString SavePanelPng(const PanelDots& dots, int scale, const QString& path);

}  // namespace quorvane::module
