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
#include "global/NumberReading.h"
#include "image/ImageSurface.h"
#include "image/Threshold.h"
#include "image/frmImage.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/StopSignal.h"
#include "port/LampShape.h"
#include "port/LineDisplay.h"
#include "port/TracePicture.h"
#include "session/PortStack.h"
#include "ui/editor/EventCombo.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/Artwork.h"
#include "ui/main/FormProcedures.h"

namespace quorvane::ui {

// Form_Initialize: the controls and the title; nothing touches the port yet.
frmELCD::frmELCD(const DesktopServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), session_(services.stack) {
  setObjectName("frmELCD");
  setWindowTitle("Quorvane 0.9");
  setWindowIcon(ProgramIcon());
  // Fixed size, no minimise and no maximise button; the close button stays.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
  setFixedSize(512, 381 + menuBar()->sizeHint().height());
  lineDisplay_ =
      std::make_unique<port::LineDisplay>(shpData, *picVisualizer, session_.Engine().global);
  session_.Engine().output.SetDisplayStep(this);
  ConnectHandlers();
  ShowPortName();
}

frmELCD::~frmELCD() = default;

void frmELCD::Form_Load() {
  Global().ProgramFolder = events::AddBackslash(services_.programFolder);
  lineDisplay_->Initialise();
  txtDelay_Change();
  Global().OutputByte = 0;
  if (isVisible()) repaint();
  const session::Action startup{session::ActionKind::Startup, {}};
  const session::ActionOutcome outcome = session_.Run(startup);
  if (outcome.stopped) {
    // Asked to stop during the pause: shut down at once.
    close();
    return;
  }
  ShowReports(startup, outcome);
  session_.SetImageThreshold(image::kStartImageThreshold);
  // Runs scrSoglia_Change: the threshold becomes the position's.
  scrSoglia->setValue(image::kStartThresholdPosition);
  FillEventList(session_.LoadEvents(services_.programFolder));
  frmImage_ = new image::frmImage(this);
  session_.SetPictureSurface(&frmImage_->picImage()->Canvas());
  frmImage_->show();
  RemoveCloseItem(frmImage_);
  if (module::Pcd8544* module = services_.stack.Module()) {
    // It can be closed; Ctrl+M in the main window brings it back.
    frmModule_ = new module::frmModule(*module, nullptr, this);
    frmModule_->SetPortName(QString::fromStdString(services_.stack.ShownName()));
    connect(frmModule_, &module::frmModule::PortAsked, this, &frmELCD::ChoosePort);
    frmModule_->show();
  }
}

void frmELCD::closeEvent(QCloseEvent* event) {
  if (!shutDown_) {
    shutDown_ = true;
    // All lines low, then the control register; the line display keeps
    // showing the last state. A port that failed is tried once more, without
    // a word either way: the program is ending.
    session_.Reopen();
    session_.RunToEnd({session::ActionKind::Shutdown, {}});
    if (frmImage_ != nullptr) frmImage_->close();
    if (frmModule_ != nullptr) frmModule_->close();
    QCoreApplication::quit();
  }
  event->accept();
}

bool frmELCD::eventFilter(QObject* watched, QEvent* event) {
  // The wheel over the closed list changes nothing: choosing an event is a
  // click or a key, never a scroll past it.
  if (watched == cmbEvents && event->type() == QEvent::Wheel) return true;
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
}

bool frmELCD::RunAction(const session::Action& action) {
  if (!PortReady()) return false;
  const session::ActionOutcome outcome = session_.Run(action);
  if (outcome.stopped) {
    close();
    return true;
  }
  ShowReports(action, outcome);
  return true;
}

void frmELCD::cmdSendCommand_Click() {
  RunAction({session::ActionKind::Command, txtCommand->text().toStdString()});
}

void frmELCD::cmdSendData_Click() {
  RunAction({session::ActionKind::Data, txtData->text().toStdString()});
}

void frmELCD::cmdSendInit_Click() {
  // An initialisation sequence goes out as command bytes.
  RunAction({session::ActionKind::Init, txtInit->text().toStdString()});
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
  RunAction({session::ActionKind::Reset, {}});
}

void frmELCD::cmbEvents_Click() {
  // The name as the file has it, also where it is not text in the local encoding.
  const std::string name = EventNameAt(*cmbEvents, cmbEvents->currentIndex());
  chosenEvent_ = name;
  events::ReadEventSteps(Global().ProgramFolder + name + events::kEventExtension,
                         Global().SelectedEventSteps);
}

void frmELCD::cmdSendEvent_Click() {
  // The steps read when the entry was chosen; the file is not read again.
  RunAction({session::ActionKind::Event, {}});
}

void frmELCD::txtDelay_Change() {
  // A text outside the 16-bit range cannot be held: the value stays as it was.
  if (const auto value = global::RoundToInt16(global::ReadNumber(txtDelay->text().toStdString()))) {
    DataDelay_ = *value;
  }
}

void frmELCD::chkOn_Click() {
  const bool on = chkOn->isChecked();
  // Nothing went out on a port that could not be opened again: the box keeps
  // showing the power as it was.
  if (!RunAction({on ? session::ActionKind::PowerOn : session::ActionKind::PowerOff, {}})) {
    chkOn->setChecked(!on);
  }
}

void frmELCD::cmdZero_Click() {
  RunAction({session::ActionKind::Zero, {}});
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
  Global().SelectedEventSteps = global::StepArray{};
}

}  // namespace quorvane::ui
