#include "ui/main/ApplicationLook.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include "ui/main/ButtonKeys.h"
#include "ui/main/ClassicFrameStyle.h"

namespace quorvane::ui {

namespace {

// The fonts in the folder "fonts" beside the program, where there is one: the
// Windows folder brings DejaVu along, which Windows itself lacks.
void AddShippedFonts() {
  const QDir fonts(QCoreApplication::applicationDirPath() + "/fonts");
  for (const QString& name : fonts.entryList({"*.ttf"}, QDir::Files)) {
    QFontDatabase::addApplicationFont(fonts.filePath(name));
  }
}

}  // namespace

void ApplyApplicationLook() {
  QApplication::setStyle(new ClassicFrameStyle(QStyleFactory::create("Fusion")));
  AddShippedFonts();
  // Controls are laid out in pixels at 96 dots per inch, 13 to 21 pixels high:
  // the font is sized in pixels too, so the captions fit whatever the screen.
  const bool condensed = QFontDatabase::hasFamily("DejaVu Sans Condensed");
  QFont font(condensed ? "DejaVu Sans Condensed" : "DejaVu Sans");
  font.setPixelSize(condensed ? 10 : 9);
  font.setStyleHint(QFont::SansSerif);
  // The captions are measured with glyphs hinted vertically only, as Debian's
  // font settings have them: hinted in both directions (the Windows default)
  // every glyph's advance is rounded to whole pixels, which widened
  // 'Delay time (mS)' past its 77 pixels.
  font.setHintingPreference(QFont::PreferVerticalHinting);
  QApplication::setFont(font);
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    InstallButtonKeys(*application);
  }
}

}  // namespace quorvane::ui
