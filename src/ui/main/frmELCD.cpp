#include "ui/main/frmELCD.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>

#include "events/EventCatalogue.h"
#include "events/EventFile.h"
#include "events/TextFields.h"
#include "events/TextFile.h"
#include "events/WriteCount.h"
#include "global/NumberReading.h"
#include "image/frmImage.h"
#include "module/frmModule.h"
#include "platform/MessageBoxes.h"
#include "platform/StopSignal.h"
#include "platform/ports/Port.h"
#include "port/LampShape.h"
#include "port/LineDisplay.h"
#include "port/PowerSequences.h"
#include "port/TracePicture.h"
#include "ui/editor/EventCombo.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/Artwork.h"
#include "ui/main/FormProcedures.h"

namespace quorvane::ui {

// Form_Initialize: the controls and the title; nothing touches the port yet.
frmELCD::frmELCD(const DesktopServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      engine_(services.port, services.sleeper, diagnostics_) {
  setObjectName("frmELCD");
  setWindowTitle("Quorvane 0.9");
  setWindowIcon(ProgramIcon());
  // Fixed size, no minimise and no maximise button; the close button stays.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  setFixedSize(512, 381 + menuBar()->sizeHint().height());
  lineDisplay_ = std::make_unique<port::LineDisplay>(shpData, *picVisualizer, engine_.global);
  engine_.output.SetDisplayStep(this);
  ConnectHandlers();
  ShowPortName();
}

frmELCD::~frmELCD() = default;

void frmELCD::Form_Load() {
  engine_.global.ProgramFolder = events::AddBackslash(services_.programFolder);
  lineDisplay_->Initialise();
  txtDelay_Change();
  engine_.global.OutputByte = 0;
  if (isVisible()) repaint();
  try {
    port::StartupRaiseReset(engine_.global, engine_.output, services_.sleeper);
  } catch (const platform::StopRequest&) {
    // Asked to stop during the pause: shut down at once.
    close();
    return;
  }
  services_.port.Flush();
  ShowReports("the start-up", port::kStartupWrites, 0);
  ImageThreshold_ = 8388607;
  scrSoglia->setValue(8389);  // runs scrSoglia_Change: the threshold becomes 8389000
  FillEventList(events::InitEvents(engine_.global).catalogue);
  frmImage_ = new image::frmImage(this);
  frmImage_->show();
  RemoveCloseItem(frmImage_);
  if (services_.module != nullptr) {
    frmModule_ = new module::frmModule(*services_.module, nullptr, this);
    frmModule_->SetPortName(QString::fromStdString(services_.portName));
    frmModule_->show();
    RemoveCloseItem(frmModule_);
  }
}

void frmELCD::closeEvent(QCloseEvent* event) {
  if (!shutDown_) {
    shutDown_ = true;
    // All lines low, then the control register; the line display keeps
    // showing the last state. A port that failed is tried once more, without
    // a word either way: the program is ending.
    if (engine_.output.Failed() && services_.reopenPort) services_.reopenPort();
    port::ShutdownWrites(engine_.output);
    services_.port.Flush();
    if (frmImage_ != nullptr) frmImage_->close();
    if (frmModule_ != nullptr) frmModule_->close();
    QCoreApplication::quit();
  }
  event->accept();
}

bool frmELCD::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmbEvents && event->type() == QEvent::KeyPress) {
    // The event list is a pick list: typed characters are discarded. Keys
    // that type nothing printable (Tab and Shift+Tab, which move the focus on,
    // and the keys that move through the list) still work.
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty() && text.at(0).isPrint()) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmELCD::UpdateLeds(std::uint8_t Value) {
  lineDisplay_->UpdateLeds(Value);
}

void frmELCD::UpdateVisualizerByte(std::uint8_t myByte) {
  lineDisplay_->UpdateVisualizerByte(myByte);
}

void frmELCD::RepaintNow() {
  // Only the lamps and the trace change with a port write; repainting that part
  // of the window at once puts the new state on screen before the port changes.
  if (isVisible()) {
    QRegion changed(picVisualizer->geometry());
    changed += shpData[0]->geometry().united(shpData[4]->geometry()).translated(fmeLegend->pos());
    centralWidget()->repaint(changed);
  }
  platform::ThrowIfStopRequested();
}

bool frmELCD::RunAction(const std::string& what, std::optional<std::uint64_t> plannedWrites,
                        const std::function<void()>& action) {
  if (!PortReady()) return false;
  const std::uint64_t writesAtStart = engine_.output.Writes();
  try {
    action();
  } catch (const platform::StopRequest&) {
    close();
    return true;
  }
  services_.port.Flush();
  ShowReports(what, plannedWrites, writesAtStart);
  return true;
}

void frmELCD::cmdSendCommand_Click() {
  const std::string list = txtCommand->text().toStdString();
  RunAction("the command list", events::WritesOfValueList(engine_.global, list, true),
            [&] { engine_.writer.MultiDataWrite(list, true); });
}

void frmELCD::cmdSendData_Click() {
  const std::string list = txtData->text().toStdString();
  RunAction("the data list", events::WritesOfValueList(engine_.global, list, false),
            [&] { engine_.writer.MultiDataWrite(list, false); });
}

void frmELCD::cmdSendInit_Click() {
  // An initialisation sequence goes out as command bytes.
  const std::string list = txtInit->text().toStdString();
  RunAction("the init sequence", events::WritesOfValueList(engine_.global, list, true),
            [&] { engine_.writer.MultiDataWrite(list, true); });
}

void frmELCD::dlgInit_Click(int Index) {
  QLineEdit* const boxes[] = {txtInit, txtCommand, txtData};
  Dialogo->SetFilters("Text files (*.txt)|*.txt");
  const QString path = Dialogo->ShowOpen(this);
  if (path.isEmpty()) return;
  // Only the first line is read; a file that gives none leaves the box as it
  // was, and the user is told why.
  events::TextLineReader reader(path.toStdString());
  const auto line = reader.IsOpen() ? reader.NextLine() : std::nullopt;
  QString problem;
  if (!reader.IsOpen()) {
    problem = "The file " + path +
              " cannot be opened: " + QString::fromStdString(reader.OpenProblem()) + ".";
  } else if (!line || line->empty()) {
    problem = "The file " + path + " holds no values on its first line.";
  }
  QString text;
  if (problem.isEmpty()) {
    text = QString::fromStdString(*line);
    // The box would cut a longer line, and a cut list is never sent.
    if (text.size() > boxes[Index]->maxLength()) {
      problem = "The first line of " + path + " is too long for the box.";
    }
  }
  if (!problem.isEmpty()) {
    services_.messages.MsgBox(this, problem + "\nThe box keeps its text.",
                              platform::MessageBoxes::Icon::Warning, "Quorvane");
    return;
  }
  boxes[Index]->setText(text);
}

void frmELCD::cmdReset_Click() {
  RunAction("the reset event", events::WritesPerRun(engine_.global.ResetEventSteps),
            [&] { engine_.interpreter.ExecuteEvent(engine_.global.ResetEventSteps, 0, false); });
}

void frmELCD::cmbEvents_Click() {
  // The name as the file has it, also where it is not text in the local encoding.
  const std::string name = EventNameAt(*cmbEvents, cmbEvents->currentIndex());
  chosenEvent_ = name;
  events::ReadEventSteps(engine_.global.ProgramFolder + name + events::kEventExtension,
                         engine_.global.SelectedEventSteps);
}

void frmELCD::cmdSendEvent_Click() {
  RunAction("the selected event", events::WritesPerRun(engine_.global.SelectedEventSteps),
            [&] { engine_.interpreter.ExecuteEvent(engine_.global.SelectedEventSteps, 0, false); });
}

void frmELCD::txtDelay_Change() {
  // A text outside the 16-bit range cannot be held: the value stays as it was.
  if (const auto value = global::RoundToInt16(global::ReadNumber(txtDelay->text().toStdString()))) {
    DataDelay_ = *value;
  }
}

void frmELCD::chkOn_Click() {
  const bool on = chkOn->isChecked();
  const bool sent = RunAction(on ? "the power-on sequence" : "the power-off sequence",
                              on ? port::kPowerOnWrites : port::kPowerOffWrites, [&] {
                                if (on) {
                                  port::PowerOn(engine_.global, engine_.output, services_.sleeper);
                                } else {
                                  port::PowerOff(engine_.global, engine_.output);
                                }
                              });
  // Nothing went out on a port that could not be opened again: the box keeps
  // showing the power as it was.
  if (!sent) chkOn->setChecked(!on);
}

void frmELCD::cmdZero_Click() {
  RunAction("Do 0", port::kDoZeroWrites, [&] { port::DoZero(engine_.global, engine_.output); });
}

void frmELCD::picVisualizer_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, float x,
                                      float Y) {
  lineDisplay_->picVisualizer_MouseMove(Button, Shift, x, Y);
}

void frmELCD::FillEventList(const std::vector<events::CatalogueEntry>& catalogue) {
  FillEventCombo(cmbEvents, catalogue);
}

void frmELCD::KeepChosenEvent() {
  if (!chosenEvent_) return;
  for (int index = 0; index < cmbEvents->count(); ++index) {
    if (EventNameAt(*cmbEvents, index) == *chosenEvent_) {
      cmbEvents->setCurrentIndex(index);
      cmbEvents_Click();
      return;
    }
  }
  chosenEvent_.reset();
  engine_.global.SelectedEventSteps.fill("");
}

}  // namespace quorvane::ui
