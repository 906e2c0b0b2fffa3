// The main window's image frame: choosing a picture, the threshold slider,
// sending the picture, and the numbered picture series.

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>

#include "events/WriteCount.h"
#include "image/ImageSurface.h"
#include "image/PictureFile.h"
#include "image/PictureScan.h"
#include "image/frmImage.h"
#include "platform/MessageBoxes.h"
#include "platform/StopSignal.h"
#include "platform/ports/Port.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {
namespace {

// The series counter is a signed 16-bit number: the series ends before it
// would pass 32767.
constexpr int kLastSeriesFrame = 32767;

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
  ImageThreshold_ = scrSoglia->value() * 1000;
}

QString frmELCD::DrawPictureFile(const QString& path) {
  const image::LoadedPicture loaded = image::LoadPicture(path);
  if (loaded.picture.isNull()) return loaded.error;
  frmImage_->picImage()->DrawStretched(loaded.picture);
  return {};
}

void frmELCD::cmdSfoglia_Click() {
  // "All files" lets a picture with another extension be chosen; one of
  // another format is then refused with the reason.
  Dialogo->SetFilters("BitMap (*.bmp)|*.bmp|JPeg (*.jpg *.jpeg)|*.jpg;*.jpeg|All files (*)|*");
  const QString path = Dialogo->ShowOpen(this);
  if (path.isEmpty()) return;
  // A picture that cannot be loaded leaves the previous picture and path.
  if (const QString problem = DrawPictureFile(path); !problem.isEmpty()) {
    services_.messages.MsgBox(this, "The picture " + path + " cannot be loaded: " + problem + ".",
                              platform::MessageBoxes::Icon::Warning, "Quorvane");
    return;
  }
  txtFile->setText(path);
  frmImage_->picImage()->update();
}

void frmELCD::cmdSendImage_Click() {
  const image::ImagePixels pixels(frmImage_->picImage()->Image());
  RunAction("the picture",
            image::ScanByteCount(pixels) * events::WritesPerRun(engine_.global.DataEventSteps),
            [&] { image::SendPicture(pixels, ImageThreshold_, engine_.writer); });
}

void frmELCD::cmdMulti_Click() {
  if (!PortReady()) return;
  const std::uint64_t writesAtStart = engine_.output.Writes();
  QString failedFrame;
  {
    WaitCursor hourglass;
    const QString folder = QString::fromStdString(engine_.global.ProgramFolder) + "images/";
    try {
      for (int n = 0; n <= kLastSeriesFrame; ++n) {
        const QString path = folder + "lcd_" + QString::number(n) + ".bmp";
        if (!DrawPictureFile(path).isEmpty()) break;  // normally: the next file is missing
        frmImage_->picImage()->repaint();
        platform::ThrowIfStopRequested();
        const image::ImagePixels pixels(frmImage_->picImage()->Image());
        image::SendPicture(pixels, ImageThreshold_, engine_.writer);
        if (engine_.output.Failed()) break;
        // A frame whose send reported a problem is an error too: the series
        // ends with it.
        if (!diagnostics_.Empty()) {
          failedFrame = path;
          break;
        }
      }
    } catch (const platform::StopRequest&) {
      close();
      return;
    }
    services_.port.Flush();
  }
  // The series ends at its first error, with a beep; a missing file is its
  // normal end and says nothing more.
  services_.messages.Beep();
  if (!failedFrame.isEmpty()) {
    QStringList lines{"The picture series stopped at " + failedFrame + ":"};
    for (const std::string& report : diagnostics_.Take()) lines << QString::fromStdString(report);
    services_.messages.MsgBox(this, lines.join('\n'), platform::MessageBoxes::Icon::Warning,
                              "Quorvane");
  }
  ShowReports("the picture series", std::nullopt, writesAtStart);
}

}  // namespace quorvane::ui
