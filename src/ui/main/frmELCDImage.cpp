// The main window's image frame: choosing a picture, the threshold slider,
// sending the picture, and the numbered picture series.

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

#include "image/ImageSurface.h"
#include "image/Threshold.h"
#include "image/frmImage.h"
#include "platform/desktop/MessageBoxes.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {
namespace {

// Shows the hourglass for as long as it lives.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void frmELCD::scrSoglia_Change() {
  session_.SetImageThreshold(image::ThresholdOfPosition(scrSoglia->value()));
}

void frmELCD::cmdSfoglia_Click() {
  // "All files" lets a picture with another extension be chosen; one of
  // another format is then refused with the reason.
  Dialogo->SetFilters(
      "BitMap (*.bmp)|*.bmp|JPeg (*.jpg *.jpeg)|*.jpg;*.jpeg|PNG (*.png)|*.png|All files (*)|*");
  const QString path = Dialogo->ShowOpen(this);
  if (path.isEmpty()) return;
  // A picture that cannot be loaded leaves the previous picture and path.
  image::ImageSurface* surface = frmImage_->picImage();
  if (const std::string problem = surface->Canvas().DrawPictureFile(path.toStdString());
      !problem.empty()) {
    services_.messages.MsgBox(
        this, "The picture " + path + " cannot be loaded: " + QString::fromStdString(problem) + ".",
        platform::MessageBoxes::Icon::Warning, "Quorvane");
    return;
  }
  txtFile->setText(path);
  surface->update();
}

void frmELCD::cmdSendImage_Click() {
  RunAction({session::ActionKind::Image, {}});
}

void frmELCD::cmdMulti_Click() {
  if (!PortReady()) return;
  const session::Action series{session::ActionKind::Series, {}};
  session::ActionOutcome outcome;
  {
    WaitCursor hourglass;
    outcome = session_.Run(series);
  }
  if (outcome.stopped) {
    close();
    return;
  }
  // The series ends at its first error, with a beep; a missing file is its
  // normal end and says nothing more.
  services_.messages.Beep();
  if (outcome.seriesStoppedAt) {
    QStringList lines{
        QString::fromStdString(session::SeriesStoppedSentence(*outcome.seriesStoppedAt))};
    for (const std::string& report : outcome.reports) lines << QString::fromStdString(report);
    services_.messages.MsgBox(this, lines.join('\n'), platform::MessageBoxes::Icon::Warning,
                              "Quorvane");
    outcome.reports.clear();
  }
  ShowReports(series, outcome);
}

}  // namespace quorvane::ui
