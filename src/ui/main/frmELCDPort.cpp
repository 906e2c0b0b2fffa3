// The main window and its port: its name where it stays in view; a failure,
// said once in one box with what the engine reported, the lamps and trace
// going back to the last byte that went out, and the next action opening the
// port again before it sends; and the choice of another port.

#include <QCheckBox>
#include <QStringList>

#include "global/CountText.h"
#include "module/frmModule.h"
#include "platform/desktop/MessageBoxes.h"
#include "port/FailureReport.h"
#include "port/LineDisplay.h"
#include "port/OutputPort.h"
#include "session/PortStack.h"
#include "ui/main/frmELCD.h"
#include "ui/port/PortChooser.h"
#include "ui/port/PortSettings.h"

namespace quorvane::ui {

void frmELCD::ShowPortName() {
  // The tooltip keeps its own text; the port is named on a line below it.
  const std::string name = services_.stack.ShownName();
  QString tip = "LCD's power on/off";
  if (!name.empty()) tip += "\nPort: " + QString::fromStdString(name);
  chkOn->setToolTip(tip);
  if (frmModule_ != nullptr) frmModule_->SetPortName(QString::fromStdString(name));
}

void frmELCD::ChoosePort() {
  if (services_.chooser == nullptr) return;
  QWidget* owner = frmModule_ != nullptr && frmModule_->isActiveWindow()
                       ? static_cast<QWidget*>(frmModule_)
                       : this;
  if (const auto text = services_.chooser->ChoosePort(owner, services_.stack.Name())) {
    SwitchPort(*text);
  }
}

bool frmELCD::SwitchPort(const std::string& portText) {
  const std::string before = services_.stack.ShownName();
  if (const std::string error = services_.stack.Switch(portText); !error.empty()) {
    services_.messages.MsgBox(
        this,
        QString::fromStdString("The port " + portText + " cannot be opened: " + error +
                               ".\nThe writes still go to the " +
                               (before == "simulated port" ? before : "port " + before) + "."),
        platform::MessageBoxes::Icon::Critical, "Quorvane");
    return false;
  }
  if (services_.settings != nullptr) RememberPort(*services_.settings, portText);
  ShowPortName();
  if (!services_.stack.Notice().empty()) {
    services_.messages.MsgBox(this, QString::fromStdString(services_.stack.Notice()),
                              platform::MessageBoxes::Icon::Information, "Quorvane");
  }
  return true;
}

void frmELCD::ShowModuleWindow() {
  if (frmModule_ == nullptr) return;
  frmModule_->show();
  frmModule_->raise();
  frmModule_->activateWindow();
}

bool frmELCD::PortReady() {
  if (!session_.PortFailed()) return true;
  const std::string error = session_.Reopen();
  if (error.empty()) return true;  // it works again: nothing more to say
  services_.messages.MsgBox(
      this, QString::fromStdString(port::ReopenFailedSentence(services_.stack.ShownName(), error)),
      platform::MessageBoxes::Icon::Critical, "Quorvane");
  return false;
}

void frmELCD::ShowReports(const session::Action& action, const session::ActionOutcome& outcome) {
  QStringList lines;
  auto icon = platform::MessageBoxes::Icon::Warning;
  // The action started on a port that worked: a failure now is this action's.
  if (outcome.portFailure) {
    const port::OutputPort& output = session_.Engine().output;
    lineDisplay_->TakeBack(output.ShownAmongLast(outcome.portFailure->unsentWrites));
    lines << QString::fromStdString(
        port::PortFailedSentence(services_.stack.ShownName(), session::ActionTitle(action),
                                 outcome.wentOut, outcome.planned, outcome.portFailure->reason));
    icon = platform::MessageBoxes::Icon::Critical;
  }
  if (outcome.traceStopped) lines << QString::fromStdString(*outcome.traceStopped);
  // A box taller than the screen would hide its own button: a long list with
  // a note on every item shows its first notes and how many more there were.
  constexpr std::size_t kShownReports = 20;
  const std::vector<std::string>& messages = outcome.reports;
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
