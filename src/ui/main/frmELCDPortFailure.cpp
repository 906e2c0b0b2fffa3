// The main window and a port that fails: the failure is said once, in one box
// with what the engine reported, the lamps and trace go back to the last byte
// that went out, and the next action opens the port again before it sends.

#include <QCheckBox>
#include <QStringList>

#include "global/CountText.h"
#include "platform/MessageBoxes.h"
#include "platform/ports/Port.h"
#include "platform/traces/Trace.h"
#include "port/FailureReport.h"
#include "port/LineDisplay.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {

void frmELCD::ShowPortName() {
  // The tooltip keeps its own text; the port is named on a line below it.
  if (!services_.portName.empty()) {
    chkOn->setToolTip(chkOn->toolTip() + "\nPort: " + QString::fromStdString(services_.portName));
  }
}

bool frmELCD::PortReady() {
  if (!engine_.output.Failed()) return true;
  const std::string error = services_.reopenPort
                                ? services_.reopenPort()
                                : std::string("it was not opened from a port text");
  if (error.empty()) return true;  // it works again: nothing more to say
  services_.messages.MsgBox(
      this, QString::fromStdString(port::ReopenFailedSentence(services_.portName, error)),
      platform::MessageBoxes::Icon::Critical, "Quorvane");
  return false;
}

void frmELCD::ShowReports(const std::string& what, std::optional<std::uint64_t> plannedWrites,
                          std::uint64_t writesAtStart) {
  QStringList lines;
  auto icon = platform::MessageBoxes::Icon::Warning;
  // The action started on a port that worked: a failure now is this action's.
  if (engine_.output.Failed()) {
    const platform::PortFailure& failure = engine_.output.Port().Failure();
    lineDisplay_->TakeBack(engine_.output.ShownAmongLast(failure.unsentWrites));
    lines << QString::fromStdString(port::PortFailedSentence(
        services_.portName, what, port::WritesThatWentOut(engine_.output, writesAtStart),
        plannedWrites, failure.reason));
    icon = platform::MessageBoxes::Icon::Critical;
  }
  if (services_.trace != nullptr && !traceStopReported_) {
    if (const auto stop = services_.trace->Stopped()) {
      lines << QString::fromStdString(port::TraceStoppedSentence(*stop));
      traceStopReported_ = true;
    }
  }
  // A box taller than the screen would hide its own button: a long list with
  // a note on every item shows its first notes and how many more there were.
  constexpr std::size_t kShownReports = 20;
  const std::vector<std::string> messages = diagnostics_.Take();
  for (std::size_t n = 0; n < messages.size() && n < kShownReports; ++n) {
    lines << QString::fromStdString(messages[n]);
  }
  if (messages.size() > kShownReports) {
    const std::size_t more = messages.size() - kShownReports;
    lines << QString::fromStdString("... and " +
                                    global::CountText(more, "more report", "more reports") + ".");
  }
  if (lines.isEmpty()) return;
  services_.messages.MsgBox(this, lines.join('\n'), icon, "Quorvane");
}

}  // namespace quorvane::ui
