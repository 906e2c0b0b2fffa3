#include "ui/main/Artwork.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "port/LineDisplay.h"

namespace quorvane::ui {
namespace {

const QColor kGlass(156, 181, 120);
const QColor kDots(28, 40, 24);
const QColor kBoard(20, 92, 60);

// A module: green board, glass with dark dots.
void DrawModule(QPainter& painter, const QRect& board) {
  painter.fillRect(board, kBoard);
  const QRect glass = board.adjusted(board.width() / 10, board.height() / 6, -board.width() / 10,
                                     -board.height() / 6);
  painter.fillRect(glass, kGlass);
  painter.setPen(QPen(kDots, 1));
  painter.drawRect(glass.adjusted(0, 0, -1, -1));
}

}  // namespace

QImage AboutArtwork() {
  QImage image(235, 85, QImage::Format_RGB32);
  image.fill(QColor(236, 236, 236));
  QPainter painter(&image);
  DrawModule(painter, QRect(6, 8, 108, 70));
  painter.setPen(kDots);
  QFont font("DejaVu Sans");
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(17, 20, 86, 46), Qt::AlignCenter, "Quorvane");
  // The five lines leaving the module, in the colours of their lamps.
  const port::LineDisplay::ColorTable& colors = port::LineDisplay::StartColors();
  for (int n = 0; n < port::LineDisplay::kLines; ++n) {
    const QColor& line = colors[static_cast<std::size_t>(n + port::LineDisplay::kLines)];
    const int y = 22 + n * 10;
    painter.fillRect(QRect(114, y, 110, 3), line.darker(130));
    for (int x = 126 + n * 4; x < 220; x += 16) painter.fillRect(QRect(x, y - 4, 6, 3), line);
  }
  return image;
}

QIcon ProgramIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  DrawModule(painter, QRect(1, 5, 30, 22));
  painter.fillRect(QRect(7, 13, 4, 6), kDots);
  painter.fillRect(QRect(13, 11, 4, 10), kDots);
  painter.fillRect(QRect(19, 15, 4, 4), kDots);
  return QIcon(pixmap);
}

}  // namespace quorvane::ui
