#pragma once
// The module window: what the emulated module on the port's lines shows (with
// a real port: what the module there should show), its state and the
// voltages on its glass, the glass threshold to judge them by, and the decoded
// log. Shown at start-up beside the image window; it follows every port write,
// repainting at most once a frame. "Port..." asks for another port.

#include <QWidget>
#include <cstdint>
#include <optional>

#include "module/Pcd8544.h"
#include "module/ShownDots.h"
#include "platform/Clock.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListView;
class QPushButton;
class QTimer;

namespace quorvane::module {

class LogModel;
class PanelView;

class frmModule final : public QWidget, private ChangeListener {
  Q_OBJECT

 public:
  // Shows at most about 60 pictures a second, and spends at most about a
  // thirtieth of the time on showing: a picture that took t waits 32 t.
  static constexpr std::uint64_t kFrameMicros = 16000;
  static constexpr std::uint64_t kCostFactor = 32;
  // Reading the clock costs more than decoding a byte: it is read on every
  // 16th change only, which holds a showing back by at most 15 bytes.
  static constexpr int kChangesPerLook = 16;

  // Listens to the module for as long as the window lives. Without a clock
  // the window keeps real time.
  explicit frmModule(Pcd8544& module, const platform::Clock* clock = nullptr,
                     QWidget* parent = nullptr);
  ~frmModule() override;

  Mounting CurrentMounting() const { return mounting_; }
  const Glass& CurrentGlass() const { return glass_; }
  // Names the port the module hangs on at the head of the state line
  // ("simulated port: active, ..."); empty: no name.
  void SetPortName(const QString& name);
  // Brings the panel, the state line and the log up to date at once, if the
  // module changed since they were last shown.
  void CatchUp();

  void cmbMounting_Click();
  void spnGlassThreshold_Change();
  void cmdClearLog_Click();

 signals:
  // "Port..." was pressed: the user wants to choose the port the module
  // hangs on.
  void PortAsked();

 private:
  void ModuleChanged() override;
  // Takes the module's state into the controls and repaints at once: the
  // port path may be holding up the event loop.
  void ShowNow();

  Pcd8544& module_;
  Mounting mounting_ = kDefaultMounting;
  Glass glass_;
  QString portPrefix_;  // "simulated port: ", or empty
  platform::SteadyClock steadyClock_;
  const platform::Clock& clock_;
  bool changed_ = false;
  int changesSinceLook_ = kChangesPerLook - 1;  // the first change looks
  std::optional<std::uint64_t> lastShown_;      // micros on clock_, when the last showing ended
  std::uint64_t showGap_ = kFrameMicros;        // from then to the next showing
  QTimer* refresh_ = nullptr;                   // shows what a burst of changes left
  LogModel* log_ = nullptr;

  PanelView* picPanel = nullptr;
  QLabel* lblState = nullptr;
  QComboBox* cmbMounting = nullptr;
  QLabel* lblGlassThreshold = nullptr;
  QDoubleSpinBox* spnGlassThreshold = nullptr;
  QPushButton* cmdClearLog = nullptr;
  QPushButton* cmdPort = nullptr;
  QListView* lstLog = nullptr;
};

}  // namespace quorvane::module
