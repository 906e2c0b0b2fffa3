// The event editor's window and controls: captions, tooltips, positions and
// sizes (pixels at 96 dots per inch), the connections of the handlers, and
// the keys the window refuses.

#include "ui/editor/frmDefs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "events/EventCatalogue.h"
#include "global/Global.h"
#include "global/Wiring.h"
#include "platform/StopSignal.h"
#include "ui/editor/EventCombo.h"

namespace quorvane::ui {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const std::string& name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromStdString(name));
  widget->setGeometry(left, top, width, height);
  return widget;
}

// An array control's object name: the array's name, "_" and the index.
std::string Indexed(const char* name, std::size_t index) {
  return std::string(name) + "_" + std::to_string(index);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* tooltip,
                    int left, int top, int width, int height) {
  auto* button = Place(new QPushButton(caption, parent), name, left, top, width, height);
  button->setToolTip(tooltip);
  // No button of the window is pressed by Enter.
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, int left, int top,
              int width) {
  return Place(new QLabel(caption, parent), name, left, top, width, 13);
}

QCheckBox* CheckBox(QWidget* parent, const std::string& name, const char* caption, int left,
                    int top, int width) {
  return Place(new QCheckBox(caption, parent), name, left, top, width, 17);
}

QFrame* Rule(QWidget* parent, const char* name, int top) {
  auto* line = Place(new QFrame(parent), name, 32, top, 165, 2);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QGroupBox* Frame(QWidget* parent, const char* name, const char* caption, int left, int top,
                 int width, int height) {
  auto* frame = Place(new QGroupBox(caption, parent), name, left, top, width, height);
  frame->setAutoFillBackground(true);
  return frame;
}

}  // namespace

frmDefs::frmDefs(global::Global& global, platform::MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      global_(global),
      messages_(messages),
      normalFrameColour_(palette().color(QPalette::Button)) {
  setObjectName("frmDefs");
  setWindowTitle(" Definitions of events");
  setFixedSize(447, 330);
  setModal(true);
  BuildControls();
  Connect();
  ClearFrames();
  ShowListLook();
  Form_Load();
}

void frmDefs::BuildControls() {
  Label1 = Label(this, "Label1", "Event", 4, 4, 93);
  cmbEvents = Place(new QComboBox(this), "cmbEvents", 4, 20, 229, 21);
  cmbEvents->setEditable(false);
  cmbEvents->installEventFilter(this);
  lstEvents = Place(new QListWidget(this), "lstEvents", 4, 44, 193, 251);
  lstEvents->setToolTip("Event's list. Double click to edit line.");
  lstEvents->setSelectionMode(QAbstractItemView::SingleSelection);
  lstEvents->setUniformItemSizes(true);
  cmdEdit = Button(this, "cmdEdit", "Edit", "Edit line under cursor position", 200, 48, 33, 21);
  cmdAdd = Button(this, "cmdAdd", "+", "Add blank line at cursor position", 200, 72, 33, 21);
  cmdDel = Button(this, "cmdDel", "-", "Remove line under cursor", 200, 96, 33, 21);
  cmdSave = Button(this, "cmdSave", "Save event", "Save this list of events", 4, 300, 109, 25);
  cmdSaveNew = Button(this, "cmdSaveNew", "Save as new event",
                      "Save this list of events in a new file", 120, 300, 109, 25);
  BuildBitsFrame();
  BuildDelayFrame();
  BuildTxFrame();
}

void frmDefs::BuildBitsFrame() {
  fmeBits = Frame(this, "fmeBits", " Data bits (checked=1 unchecked=0)", 236, 16, 205, 81);
  cmdAddBits = Button(fmeBits, "cmdAddBits", "<<", "Add or edit Static Data Bits", 4, 36, 25, 21);
  for (std::size_t n = 0; n < chkBits.size(); ++n) {
    const int left = n < 3 ? 60 : 128;
    const int top = 20 + 20 * static_cast<int>(n % 3);
    chkBits[n] =
        CheckBox(fmeBits, Indexed("chkBits", n), global::kSignalLineNames[n].label, left, top, 65);
  }
}

void frmDefs::BuildDelayFrame() {
  fmeDelay = Frame(this, "fmeDelay", " Delay ", 236, 96, 205, 53);
  cmdAddDelay = Button(fmeDelay, "cmdAddDelay", "<<", "Add or edit Delay time", 4, 20, 25, 21);
  Label2 = Label(fmeDelay, "Label2", "Delay time (mS)", 64, 24, 77);
  txtDelay = Place(new QLineEdit("10", fmeDelay), "txtDelay", 144, 20, 53, 21);
}

void frmDefs::BuildTxFrame() {
  fmeTx = Frame(this, "fmeTx", " Transmit Byte ", 236, 152, 205, 177);
  chkTx[2] = CheckBox(fmeTx, Indexed("chkTx", 2), "D/C", 32, 16, 57);
  chkTx[3] = CheckBox(fmeTx, Indexed("chkTx", 3), "CS", 92, 16, 45);
  chkTx[4] = CheckBox(fmeTx, Indexed("chkTx", 4), "RESET", 140, 16, 61);
  Line1 = Rule(fmeTx, "Line1", 36);
  Label3 = Label(fmeTx, "Label3", "SCLK transition", 32, 40, 121);
  chkSCLK[0] = CheckBox(fmeTx, Indexed("chkSCLK", 0), "High > Low", 32, 60, 89);
  chkSCLK[1] = CheckBox(fmeTx, Indexed("chkSCLK", 1), "Low > High", 124, 60, 77);
  Line2 = Rule(fmeTx, "Line2", 80);
  Label4 = Label(fmeTx, "Label4", "DATA direction", 32, 88, 121);
  chkData[0] = CheckBox(fmeTx, Indexed("chkData", 0), "MSB > LSB", 32, 108, 89);
  chkData[1] = CheckBox(fmeTx, Indexed("chkData", 1), "LSB > MSB", 124, 108, 77);
  Line3 = Rule(fmeTx, "Line3", 128);
  Label5 = Label(fmeTx, "Label5", "Value to transmit", 32, 136, 121);
  txtValue = Place(new QLineEdit(fmeTx), "txtValue", 32, 152, 41, 21);
  Label6 = Label(fmeTx, "Label6", "blank for normal def", 76, 156, 121);
  cmdAddTx = Button(fmeTx, "cmdAddTx", "<<", "Add or edit Transmission protocol", 4, 72, 25, 21);
}

void frmDefs::Connect() {
  connect(cmbEvents, &QComboBox::activated, this, &frmDefs::cmbEvents_Click);
  // A selection by mouse or keyboard shows the line; a click on the line
  // already selected shows it again after a builder has cleared the frames.
  connect(lstEvents, &QListWidget::currentRowChanged, this, &frmDefs::lstEvents_Click);
  connect(lstEvents, &QListWidget::itemClicked, this, &frmDefs::lstEvents_Click);
  connect(cmdEdit, &QPushButton::clicked, this, &frmDefs::cmdEdit_Click);
  connect(cmdAdd, &QPushButton::clicked, this, &frmDefs::cmdAdd_Click);
  connect(cmdDel, &QPushButton::clicked, this, &frmDefs::cmdDel_Click);
  connect(cmdSave, &QPushButton::clicked, this, &frmDefs::cmdSave_Click);
  connect(cmdSaveNew, &QPushButton::clicked, this, &frmDefs::cmdSaveNew_Click);
  connect(cmdAddBits, &QPushButton::clicked, this, &frmDefs::cmdAddBits_Click);
  connect(cmdAddDelay, &QPushButton::clicked, this, &frmDefs::cmdAddDelay_Click);
  connect(cmdAddTx, &QPushButton::clicked, this, &frmDefs::cmdAddTx_Click);
  // The pair rule runs on every change of a box, also one made by the window.
  for (int index = 0; index < 2; ++index) {
    connect(chkSCLK[index], &QCheckBox::toggled, this, [this, index] { chkSCLK_Click(index); });
    connect(chkData[index], &QCheckBox::toggled, this, [this, index] { chkData_Click(index); });
  }
}

void frmDefs::Form_Load() {
  FillEventCombo(cmbEvents, events::EventEntries(global_.ProgramFolder, true));
}

bool frmDefs::cmbEvents_KeyPress(const QKeyEvent& event) {
  const QString text = event.text();
  return !text.isEmpty() && text.at(0).isPrint();
}

bool frmDefs::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmbEvents && event->type() == QEvent::KeyPress &&
      cmbEvents_KeyPress(static_cast<const QKeyEvent&>(*event))) {
    return true;
  }
  // The wheel turned over the closed box would load event after event as the
  // pointer passes; the event is chosen from the open list or by the keys.
  if (watched == cmbEvents && event->type() == QEvent::Wheel) return true;
  return QDialog::eventFilter(watched, event);
}

void frmDefs::closeEvent(QCloseEvent* event) {
  // A stop signal ends the program whatever the answer would be: no question
  // that could not be kept.
  if (!platform::StopRequested() && !MayDiscardSteps()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmDefs::keyPressEvent(QKeyEvent* event) {
  // The window closes only by its close box, never by Escape.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quorvane::ui
