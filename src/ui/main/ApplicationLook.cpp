#include "ui/main/ApplicationLook.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include "ui/main/ButtonKeys.h"
#include "ui/main/ClassicFrameStyle.h"

namespace quorvane::ui {

void ApplyApplicationLook() {
  QApplication::setStyle(new ClassicFrameStyle(QStyleFactory::create("Fusion")));
  // Controls are laid out in pixels at 96 dots per inch, 13 to 21 pixels high:
  // the font is sized in pixels too, so the captions fit whatever the screen.
  const bool condensed = QFontDatabase::hasFamily("DejaVu Sans Condensed");
  QFont font(condensed ? "DejaVu Sans Condensed" : "DejaVu Sans");
  font.setPixelSize(condensed ? 10 : 9);
  font.setStyleHint(QFont::SansSerif);
  QApplication::setFont(font);
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    InstallButtonKeys(*application);
  }
}

}  // namespace quorvane::ui
