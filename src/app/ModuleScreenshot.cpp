#include "app/ModuleScreenshot.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <algorithm>

#include "image/ImageSurface.h"
#include "image/PictureFile.h"
#include "image/frmImage.h"
#include "module/frmModule.h"
#include "ui/main/frmELCD.h"

namespace quorvane::app {
namespace {

constexpr int kMargin = 16;
constexpr int kGap = 16;

}  // namespace

QString SaveModuleScreenshot(ui::frmELCD& window, const QString& path) {
  module::frmModule* moduleWindow = window.ModuleWindow();
  if (moduleWindow == nullptr) return "there is no module window";
  const QString picturePath =
      QString::fromStdString(window.Global().ProgramFolder) + "images/lcd_0.bmp";
  const image::LoadedPicture loaded = image::LoadPicture(picturePath);
  if (loaded.picture.isNull()) return "the picture " + picturePath + ": " + loaded.error;

  // The reset event first: start-up raises RESET without the low pulse the
  // controller needs after power-on.
  window.cmdReset_Click();
  window.cmdSendInit_Click();
  window.ImageWindow()->picImage()->DrawStretched(loaded.picture);
  window.cmdSendImage_Click();
  moduleWindow->CatchUp();

  // The main window with the image window below it, the module window on the
  // right.
  const QPixmap main = window.grab();
  const QPixmap picture = window.ImageWindow()->grab();
  const QPixmap panel = moduleWindow->grab();
  const int width = kMargin + main.width() + kGap + panel.width() + kMargin;
  const int height =
      kMargin + std::max(main.height() + kGap + picture.height(), panel.height()) + kMargin;
  QImage shot(width, height, QImage::Format_RGB32);
  shot.fill(QColor(0x4A, 0x55, 0x60));
  {
    QPainter painter(&shot);
    painter.drawPixmap(kMargin, kMargin, main);
    painter.drawPixmap(kMargin, kMargin + main.height() + kGap, picture);
    painter.drawPixmap(kMargin + main.width() + kGap, kMargin, panel);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !shot.save(&file, "PNG") || !file.commit()) {
    return "cannot write " + path;
  }
  return {};
}

}  // namespace quorvane::app
