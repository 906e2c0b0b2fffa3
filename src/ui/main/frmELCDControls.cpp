// The controls of the main window: captions, default texts, tooltips,
// positions and sizes (pixels at 96 dots per inch), tab order and menus.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <limits>

#include "global/Wiring.h"
#include "image/Threshold.h"
#include "port/LampShape.h"
#include "port/LineDisplay.h"
#include "port/TracePicture.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/FocusMark.h"
#include "ui/main/ThresholdReadout.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(name);
  widget->setGeometry(left, top, width, height);
  return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width, int height, const char* tooltip = nullptr) {
  auto* button = Place(new QPushButton(caption, parent), name, left, top, width, height);
  if (tooltip != nullptr) button->setToolTip(tooltip);
  button->setAutoDefault(false);
  return button;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
              int height) {
  return Place(new QLabel(caption, parent), name, left, top, width, height);
}

}  // namespace

void frmELCD::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("client");
  client->setFixedSize(512, 381);
  setCentralWidget(client);
  BuildLegendFrame();
  BuildSendFrames();
  BuildVisualizer();
  BuildMenus();
  SetTabOrder();
}

void frmELCD::BuildLegendFrame() {
  fmeLegend = Place(new QGroupBox(" Legenda ", centralWidget()), "fmeLegend", 4, 4, 169, 189);
  for (int n = 0; n < global::kSignalLines; ++n) {
    const std::string lampName = "shpData_" + std::to_string(n);
    shpData[n] = Place(new port::LampShape(fmeLegend), lampName.c_str(), 8, 16 + 20 * n, 17, 13);
    const std::string labelName = "Label1_" + std::to_string(n);
    Label1[n] = Label(fmeLegend, labelName.c_str(), global::kSignalLineNames[n].legend, 32,
                      16 + 20 * n, n == 2 ? 117 : 69, 13);
  }
  chkOn = Place(new QCheckBox("On/Off", fmeLegend), "chkOn", 104, 16, 53, 17);
  chkOn->setToolTip("LCD's power on/off");
  chkOn->setChecked(true);
  cmdZero = Button(fmeLegend, "cmdZero", "Do 0", 104, 36, 53, 17, "Reset to 0 output port");
  cmdReset = Button(fmeLegend, "cmdReset", "Reset", 104, 92, 53, 17,
                    "Reset display with special event: reset");
  Label2 = Label(fmeLegend, "Label2", "Data delay", 12, 116, 53, 13);
  txtDelay = Place(new QLineEdit("10", fmeLegend), "txtDelay", 72, 112, 53, 19);
  Label3 = Label(fmeLegend, "Label3", "mS", 128, 116, 17, 13);
  Line1 = Place(new QFrame(fmeLegend), "Line1", 4, 140, 161, 2);
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  cmbEvents = Place(new QComboBox(fmeLegend), "cmbEvents", 4, 144, 161, 21);
  cmdSendEvent = Button(fmeLegend, "cmdSendEvent", "Send selected event", 4, 168, 161, 17);
}

void frmELCD::BuildSendFrames() {
  struct SendFrame {
    QGroupBox*& frame;
    const char* frameName;
    const char* caption;
    int top;
    QPushButton*& send;
    const char* sendName;
    QLineEdit*& text;
    const char* textName;
    const char* defaultText;
  };
  const SendFrame frames[] = {
      {fmeInit, "fmeInit", " Init Sequence (separate values with comma) ", 4, cmdSendInit,
       "cmdSendInit", txtInit, "txtInit", "33, 200, 5, 21, 32, 9, #500, 8, #500, 13"},
      {fmeCommand, "fmeCommand", " Send Commands (separate values with comma) ", 52, cmdSendCommand,
       "cmdSendCommand", txtCommand, "txtCommand", "33, 255, 6, 19, 32, 12"},
      {fmeData, "fmeData", "Send Data (separate values with comma) ", 100, cmdSendData,
       "cmdSendData", txtData, "txtData", "33, 197, 6, 19, 32, 12"},
  };
  for (int index = 0; index < 3; ++index) {
    const SendFrame& f = frames[index];
    f.frame = Place(new QGroupBox(f.caption, centralWidget()), f.frameName, 176, f.top, 329, 45);
    f.send = Button(f.frame, f.sendName, "Send", 8, 16, 73, 21);
    f.text = Place(new QLineEdit(f.defaultText, f.frame), f.textName, 84, 16, 217, 21);
    // The box holds the whole list, however long: a line edit cuts its text
    // at 32,767 characters unless told otherwise, and a cut list would send
    // its cut last item.
    f.text->setMaxLength(std::numeric_limits<int>::max());
    const std::string loadName = "dlgInit_" + std::to_string(index);
    dlgInit[index] = Button(f.frame, loadName.c_str(), "...", 304, 16, 21, 21);
  }

  fmeImage = Place(new QGroupBox("Send image", centralWidget()), "fmeImage", 176, 148, 329, 45);
  cmdSendImage = Button(fmeImage, "cmdSendImage", "Send", 8, 16, 45, 21,
                        "This features is only for test and it is not programmable yet.");
  cmdMulti = Button(fmeImage, "cmdMulti", "*", 56, 16, 25, 21);
  scrSoglia = Place(new QScrollBar(Qt::Horizontal, fmeImage), "scrSoglia", 84, 8, 201, 5);
  scrSoglia->setRange(0, image::kMaxThresholdPosition);
  scrSoglia->setSingleStep(1);
  scrSoglia->setPageStep(100);
  // A scroll bar inverts its keys for vertical use (Up lowers the position);
  // on this horizontal bar Right and Up raise it, Left and Down lower it, and
  // Page Up and Page Down move by the large step the same ways.
  scrSoglia->setInvertedControls(false);
  // Focusable before the tab order is set, so that it takes its place there.
  scrSoglia->setFocusPolicy(Qt::StrongFocus);
  new ThresholdReadout(scrSoglia);
  new FocusMark(scrSoglia);
  txtFile = Place(new QLineEdit(fmeImage), "txtFile", 84, 16, 205, 21);
  cmdSfoglia = Button(fmeImage, "cmdSfoglia", "...", 292, 16, 25, 21);
}

void frmELCD::BuildVisualizer() {
  picVisualizer =
      Place(new port::TracePicture(centralWidget()), "picVisualizer", 40, 196, 465, 181);
  picVisualizer->setToolTip("Display output state");
  picVisualizer->setFocusPolicy(Qt::StrongFocus);
  new FocusMark(picVisualizer);
  static const int kTops[] = {356, 320, 284, 244, 212};
  for (int n = 0; n < global::kSignalLines; ++n) {
    const std::string name = "lblVisualizer_" + std::to_string(n);
    lblVisualizer[n] =
        Label(centralWidget(), name.c_str(), global::kSignalLineNames[n].lane, 4, kTops[n], 33, 13);
    lblVisualizer[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  Dialogo = new FDialog(services_.dialogs, centralWidget());
  Dialogo->setObjectName("Dialogo");
  Dialogo->hide();
}

void frmELCD::BuildMenus() {
  // Three items that act directly, without sub-menus.
  mnuDefs = menuBar()->addAction("&Definitions");
  mnuDefs->setObjectName("mnuDefs");
  mnuWeb = menuBar()->addAction("&Website");
  mnuWeb->setObjectName("mnuWeb");
  mnuAbout = menuBar()->addAction("&?");
  mnuAbout->setObjectName("mnuAbout");
}

void frmELCD::SetTabOrder() {
  QWidget* const order[] = {cmdSendInit,  txtInit,      txtCommand,    cmdSendCommand, txtData,
                            cmdSendData,  txtDelay,     picVisualizer, chkOn,          cmdZero,
                            cmdReset,     cmdSendImage, txtFile,       cmdSfoglia,     cmbEvents,
                            cmdSendEvent, cmdMulti,     scrSoglia,     dlgInit[0],     dlgInit[1],
                            dlgInit[2]};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  cmdSendInit->setFocus();
}

void frmELCD::ConnectHandlers() {
  connect(cmdSendCommand, &QPushButton::clicked, this, &frmELCD::cmdSendCommand_Click);
  // The module window can be closed; this brings it back.
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, this,
          &frmELCD::ShowModuleWindow);
  connect(cmdSendData, &QPushButton::clicked, this, &frmELCD::cmdSendData_Click);
  connect(cmdSendInit, &QPushButton::clicked, this, &frmELCD::cmdSendInit_Click);
  for (int index = 0; index < 3; ++index) {
    connect(dlgInit[index], &QPushButton::clicked, this, [this, index] { dlgInit_Click(index); });
  }
  connect(cmdReset, &QPushButton::clicked, this, &frmELCD::cmdReset_Click);
  connect(cmbEvents, &QComboBox::activated, this, &frmELCD::cmbEvents_Click);
  cmbEvents->installEventFilter(this);
  connect(cmdSendEvent, &QPushButton::clicked, this, &frmELCD::cmdSendEvent_Click);
  connect(txtDelay, &QLineEdit::textChanged, this, &frmELCD::txtDelay_Change);
  connect(mnuDefs, &QAction::triggered, this, &frmELCD::mnuDefs_Click);
  connect(mnuWeb, &QAction::triggered, this, &frmELCD::mnuWeb_Click);
  connect(mnuAbout, &QAction::triggered, this, &frmELCD::mnuAbout_Click);
  // Only a click by the user runs the power handler; setting the box does not.
  connect(chkOn, &QCheckBox::clicked, this, &frmELCD::chkOn_Click);
  connect(cmdZero, &QPushButton::clicked, this, &frmELCD::cmdZero_Click);
  connect(scrSoglia, &QScrollBar::valueChanged, this, &frmELCD::scrSoglia_Change);
  connect(cmdSfoglia, &QPushButton::clicked, this, &frmELCD::cmdSfoglia_Click);
  connect(cmdSendImage, &QPushButton::clicked, this, &frmELCD::cmdSendImage_Click);
  connect(cmdMulti, &QPushButton::clicked, this, &frmELCD::cmdMulti_Click);
  connect(picVisualizer, &port::TracePicture::MouseMove, this, &frmELCD::picVisualizer_MouseMove);
  connect(picVisualizer, &port::TracePicture::InputLost, this,
          [this] { lineDisplay_->EndTracking(); });
}

}  // namespace quorvane::ui
