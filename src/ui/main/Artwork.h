#pragma once
// The program's pictures, drawn in code: the About window's artwork and the
// main window's icon.

#include <QIcon>
#include <QImage>

namespace quorvane::ui {

// 235 × 85: a module showing the program's name beside its lines.
QImage AboutArtwork();
QIcon ProgramIcon();

}  // namespace quorvane::ui
