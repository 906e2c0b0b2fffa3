#include "module/frmModule.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "module/LogModel.h"
#include "module/PanelView.h"
#include "module/StateText.h"

namespace quorvane::module {
namespace {

// The widest state lines there can be, each after the port's name, so the
// window keeps its width.
int WidestStateText(const QFontMetrics& metrics, const QString& prefix) {
  ControllerState state;
  state.powerDown = false;
  state.display = DisplayMode::Inverse;
  state.vertical = true;
  state.extended = true;
  state.x = 83;
  state.y = 5;
  state.vop = 127;
  state.bias = 7;
  state.temperatureCoefficient = 3;
  std::vector<std::string> lines = {
      RegistersLine(state), VoltageLine(state),
      "a RESET low pulse sets the controller up; until then nothing readable shows"};
  // Too faint, poor contrast and too dark under the wrong bias, each with the
  // glasses that read the drive.
  for (const std::uint8_t vop : {1, 23, 127}) {
    state.vop = vop;
    lines.push_back(GlassLine(state, Glass{}));
  }
  // The longest: poor contrast on the lowest glass, for a drive that no glass
  // of the window's range reads (Vop 1 under BS 0).
  state.vop = 1;
  state.bias = 0;
  lines.push_back(GlassLine(state, Glass{kMinGlassThreshold}));
  int widest = 0;
  for (const std::string& line : lines) {
    widest = std::max(widest, metrics.horizontalAdvance(prefix + QString::fromStdString(line)));
  }
  return widest;
}

}  // namespace

frmModule::frmModule(Pcd8544& module, const platform::Clock* clock, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowCloseButtonHint),
      module_(module),
      clock_(clock != nullptr ? *clock : steadyClock_),
      refresh_(new QTimer(this)),
      log_(new LogModel(module.Log(), this)),
      picPanel(new PanelView(this)),
      lblState(new QLabel(this)),
      cmbMounting(new QComboBox(this)),
      lblGlassThreshold(new QLabel("Glass threshold:", this)),
      spnGlassThreshold(new QDoubleSpinBox(this)),
      cmdClearLog(new QPushButton("Clear log", this)),
      cmdPort(new QPushButton("Port...", this)),
      lstLog(new QListView(this)) {
  setObjectName("frmModule");
  setWindowTitle("Module");
  refresh_->setObjectName("tmrRefresh");
  refresh_->setSingleShot(true);
  picPanel->setObjectName("picPanel");
  lblState->setObjectName("lblState");
  lblState->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblState->setMinimumWidth(WidestStateText(lblState->fontMetrics(), QString()) + 4);
  // Three lines at most (two without supply or before the first reset): the
  // window keeps its height too.
  lblState->setMinimumHeight(3 * lblState->fontMetrics().lineSpacing() + 2);
  lblState->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  cmbMounting->setObjectName("cmbMounting");
  cmbMounting->addItems({"Mounted at 180°", "Mounted at 0°"});
  cmbMounting->setToolTip("Which way round the module sits in front of you");
  lblGlassThreshold->setObjectName("lblGlassThreshold");
  spnGlassThreshold->setObjectName("spnGlassThreshold");
  spnGlassThreshold->setRange(kMinGlassThreshold, kMaxGlassThreshold);
  spnGlassThreshold->setDecimals(2);
  spnGlassThreshold->setSingleStep(0.01);
  spnGlassThreshold->setSuffix(" V");
  spnGlassThreshold->setValue(glass_.threshold);
  spnGlassThreshold->setToolTip(
      "The rms voltage at which a dot of the glass starts to darken (full at 1.1 times it)");
  lblGlassThreshold->setBuddy(spnGlassThreshold);
  cmdClearLog->setObjectName("cmdClearLog");
  cmdPort->setObjectName("cmdPort");
  cmdPort->setToolTip("Choose the port the module hangs on");
  lstLog->setObjectName("lstLog");
  lstLog->setModel(log_);
  lstLog->setUniformItemSizes(true);
  lstLog->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  lstLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  lstLog->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lstLog->setFixedHeight(150);

  auto* controls = new QHBoxLayout;
  controls->addWidget(cmbMounting);
  controls->addSpacing(12);
  controls->addWidget(lblGlassThreshold);
  controls->addWidget(spnGlassThreshold);
  controls->addStretch();
  controls->addWidget(cmdClearLog);
  controls->addWidget(cmdPort);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(picPanel, 0, Qt::AlignHCenter);
  layout->addWidget(lblState);
  layout->addLayout(controls);
  layout->addWidget(lstLog);

  connect(refresh_, &QTimer::timeout, this, &frmModule::CatchUp);
  connect(cmbMounting, &QComboBox::currentIndexChanged, this, &frmModule::cmbMounting_Click);
  connect(spnGlassThreshold, &QDoubleSpinBox::valueChanged, this,
          &frmModule::spnGlassThreshold_Change);
  connect(cmdClearLog, &QPushButton::clicked, this, &frmModule::cmdClearLog_Click);
  connect(cmdPort, &QPushButton::clicked, this, &frmModule::PortAsked);
  module_.SetChangeListener(this);
  ShowNow();
}

frmModule::~frmModule() {
  module_.SetChangeListener(nullptr);
}

void frmModule::ModuleChanged() {
  // Called from the port path once per byte, drop or reset: the changes
  // between two showings are shown by the timer, or by the first change after
  // the gap when a long send keeps the event loop busy.
  changed_ = true;
  if (++changesSinceLook_ < kChangesPerLook) {
    if (!refresh_->isActive()) refresh_->start(static_cast<int>(kFrameMicros / 1000 + 1));
    return;
  }
  changesSinceLook_ = 0;
  const std::uint64_t now = clock_.NowMicros();
  const std::uint64_t since = lastShown_ ? now - *lastShown_ : showGap_;
  if (since >= showGap_) {
    ShowNow();
  } else if (!refresh_->isActive()) {
    refresh_->start(static_cast<int>((showGap_ - since) / 1000 + 1));
  }
}

void frmModule::CatchUp() {
  if (changed_) ShowNow();
}

void frmModule::ShowNow() {
  const std::uint64_t start = clock_.NowMicros();
  changed_ = false;
  refresh_->stop();
  picPanel->SetDots(ShownDots(module_, mounting_, glass_));
  lblState->setText(portPrefix_ + QString::fromStdString(StateLines(module_, glass_)));
  // A log followed at its end stays there; otherwise the entries in view stay
  // put until the log lets go of them (the view scrolls a row at a time).
  QScrollBar* scroll = lstLog->verticalScrollBar();
  const bool atEnd = scroll->value() == scroll->maximum();
  const int top = scroll->value();
  const int removed = log_->Refresh();
  if (atEnd) {
    lstLog->scrollToBottom();
  } else if (removed > 0) {
    scroll->setValue(std::max(0, top - removed));
  }
  if (isVisible()) {
    // At once: the port path may be holding up the event loop. Only what
    // changes is painted.
    picPanel->repaint();
    lblState->repaint();
    lstLog->viewport()->repaint();
  }
  const std::uint64_t end = clock_.NowMicros();
  lastShown_ = end;
  showGap_ = std::max(kFrameMicros, kCostFactor * (end - start));
}

void frmModule::SetPortName(const QString& name) {
  portPrefix_ = name.isEmpty() ? QString() : name + ": ";
  lblState->setMinimumWidth(WidestStateText(lblState->fontMetrics(), portPrefix_) + 4);
  ShowNow();
}

void frmModule::cmbMounting_Click() {
  mounting_ = cmbMounting->currentIndex() == 1 ? Mounting::Rotated0 : Mounting::Rotated180;
  ShowNow();
}

void frmModule::spnGlassThreshold_Change() {
  glass_.threshold = spnGlassThreshold->value();
  ShowNow();
}

void frmModule::cmdClearLog_Click() {
  module_.ClearLog();
  ShowNow();
}

}  // namespace quorvane::module
