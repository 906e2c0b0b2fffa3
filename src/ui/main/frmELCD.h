#pragma once
// The main window: start-up and shut-down of the port, the send frames, the
// event list, the line display and the menus. It lives for the whole run;
// closing it ends the program.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "events/Engine.h"
#include "port/DisplayStep.h"
#include "session/Session.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSettings;

namespace quorvane::platform {
class CommonDialogs;
class MessageBoxes;
class Shell;
}  // namespace quorvane::platform
namespace quorvane::port {
class LampShape;
class LineDisplay;
class TracePicture;
}  // namespace quorvane::port
namespace quorvane::events {
struct CatalogueEntry;
}  // namespace quorvane::events
namespace quorvane::image {
class frmImage;
}
namespace quorvane::module {
class frmModule;
}  // namespace quorvane::module

namespace quorvane::ui {

class FDialog;
class PortChooser;

// What the window needs from outside; the program hands in the real ones,
// tests recording stand-ins.
struct DesktopServices {
  // The port, its trace and the emulated module, and the waits. When the
  // stack has the module, its window is shown at start-up beside the image
  // window. The port's name is said by failures, the power box's tooltip and
  // the module window's state line.
  session::PortStack& stack;
  platform::MessageBoxes& messages;
  platform::Shell& shell;
  platform::CommonDialogs& dialogs;
  std::string programFolder;  // the program folder, as the program chose it at start
  // Where the user chooses another port (the module window's "Port..."); none:
  // the port stays as opened.
  PortChooser* chooser = nullptr;
  // Where the port chosen is remembered for the next start; none: nowhere.
  QSettings* settings = nullptr;
};

class frmELCD final : public QMainWindow, private port::DisplayStep {
  Q_OBJECT

 public:
  explicit frmELCD(const DesktopServices& services, QWidget* parent = nullptr);
  ~frmELCD() override;

  // The start-up sequence: line display, 500 ms pause, RESET raised, control
  // register 0xFF, threshold, standard events, image window. Runs once,
  // before the window is shown.
  void Form_Load();

  global::Global& Global() { return session_.Engine().global; }
  events::Engine& Engine() { return session_.Engine(); }
  session::Session& Session() { return session_; }
  std::int32_t ImageThreshold() const { return session_.ImageThreshold(); }
  std::int16_t DataDelay() const { return DataDelay_; }
  port::LineDisplay& LineDisplay() { return *lineDisplay_; }
  image::frmImage* ImageWindow() const { return frmImage_; }
  module::frmModule* ModuleWindow() const { return frmModule_; }
  // True once the shut-down writes were made.
  bool IsShutDown() const { return shutDown_; }

  // Handlers, connected to their controls.
  void cmdSendCommand_Click();
  void cmdSendData_Click();
  void cmdSendInit_Click();
  void dlgInit_Click(int Index);
  void cmdReset_Click();
  void cmbEvents_Click();
  void cmdSendEvent_Click();
  void txtDelay_Change();
  void mnuDefs_Click();
  void mnuWeb_Click();
  void mnuAbout_Click();
  void chkOn_Click();
  void cmdZero_Click();
  void scrSoglia_Change();
  void cmdSfoglia_Click();
  void cmdSendImage_Click();
  void cmdMulti_Click();
  void picVisualizer_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, float x,
                               float Y);

  // Asks for another port and writes to it from now on.
  void ChoosePort();
  // Writes go to the port `portText` names: false when it cannot be opened
  // (said in a box; the port stays). The choice is remembered.
  bool SwitchPort(const std::string& portText);
  // Shows the module window again after the user closed it (Ctrl+M).
  void ShowModuleWindow();

 protected:
  // Form_Unload: the shut-down writes, then the program ends.
  void closeEvent(QCloseEvent* event) override;
  // cmbEvents_KeyPress: typed characters are discarded.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateLeds(std::uint8_t Value) override;
  void UpdateVisualizerByte(std::uint8_t myByte) override;
  void RepaintNow() override;

  void BuildControls();
  void BuildLegendFrame();
  void BuildSendFrames();
  void BuildVisualizer();
  void BuildMenus();
  void SetTabOrder();
  void ConnectHandlers();
  void FillEventList(const std::vector<events::CatalogueEntry>& catalogue);
  // After the list was filled again: the chosen event stays chosen, with its
  // steps read again from its file; an event that is gone leaves nothing to send.
  void KeepChosenEvent();
  // Runs an action the user started: a port that failed before is opened
  // again first (nothing is sent when it cannot be); a stop request (SIGINT,
  // SIGTERM) closes the window; what the engine reported, a port that failed
  // during the send and a trace that stopped are shown once, afterwards, in
  // one box. False when nothing was sent because the port could not be
  // opened again.
  bool RunAction(const session::Action& action);
  bool PortReady();
  void ShowReports(const session::Action& action, const session::ActionOutcome& outcome);
  void ShowPortName();

  DesktopServices services_;
  session::Session session_;
  bool shutDown_ = false;
  // The name of the event last chosen in cmbEvents, if any.
  std::optional<std::string> chosenEvent_;
  std::int16_t DataDelay_ = 0;

  QGroupBox* fmeLegend = nullptr;
  std::array<port::LampShape*, 5> shpData{};
  std::array<QLabel*, 5> Label1{};
  QCheckBox* chkOn = nullptr;
  QPushButton* cmdZero = nullptr;
  QPushButton* cmdReset = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtDelay = nullptr;
  QLabel* Label3 = nullptr;
  QFrame* Line1 = nullptr;
  QComboBox* cmbEvents = nullptr;
  QPushButton* cmdSendEvent = nullptr;

  QGroupBox* fmeInit = nullptr;
  QGroupBox* fmeCommand = nullptr;
  QGroupBox* fmeData = nullptr;
  QGroupBox* fmeImage = nullptr;
  QPushButton* cmdSendInit = nullptr;
  QPushButton* cmdSendCommand = nullptr;
  QPushButton* cmdSendData = nullptr;
  QLineEdit* txtInit = nullptr;
  QLineEdit* txtCommand = nullptr;
  QLineEdit* txtData = nullptr;
  std::array<QPushButton*, 3> dlgInit{};
  QPushButton* cmdSendImage = nullptr;
  QPushButton* cmdMulti = nullptr;
  QScrollBar* scrSoglia = nullptr;
  QLineEdit* txtFile = nullptr;
  QPushButton* cmdSfoglia = nullptr;

  port::TracePicture* picVisualizer = nullptr;
  std::array<QLabel*, 5> lblVisualizer{};
  FDialog* Dialogo = nullptr;

  QAction* mnuDefs = nullptr;
  QAction* mnuWeb = nullptr;
  QAction* mnuAbout = nullptr;

  std::unique_ptr<port::LineDisplay> lineDisplay_;
  image::frmImage* frmImage_ = nullptr;
  module::frmModule* frmModule_ = nullptr;
};

}  // namespace quorvane::ui
