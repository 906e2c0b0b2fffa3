#pragma once
// The event editor: chooses an event file, shows and edits its step lines,
// builds new lines from three frames and saves the list as an event file.
// Modal over the main window; closed only by its close box.

#include <QColor>
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvane::global {
struct Global;
}
namespace quorvane::platform {
class MessageBoxes;
}

namespace quorvane::ui {

struct EventChoice;
struct StepReadout;
enum class DescriptionSource;

class frmDefs final : public QDialog {
  Q_OBJECT

 public:
  frmDefs(global::Global& global, platform::MessageBoxes& messages, QWidget* parent = nullptr);

 public slots:
  void Form_Load();
  void cmbEvents_Click();
  void ClearFrames();
  void cmdAdd_Click();
  void cmdDel_Click();
  void cmdEdit_Click();
  void lstEvents_Click();
  void cmdAddBits_Click();
  void cmdAddDelay_Click();
  void cmdAddTx_Click();
  void chkSCLK_Click(int Index);
  void chkData_Click(int Index);
  void cmdSave_Click();
  void cmdSaveNew_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // With unsaved changes in the step list, asks before the window closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildBitsFrame();
  void BuildDelayFrame();
  void BuildTxFrame();
  void Connect();
  // Discards typed characters, so the combo box only ever shows an item.
  bool cmbEvents_KeyPress(const QKeyEvent& event);
  // The selected step line's row, -1 when no line is selected.
  int SelectedLine() const;
  std::vector<std::string> StepLines() const;
  void ShowListLook();
  void ShowReadout(const StepReadout& readout);
  void LightFrame(QGroupBox* frame, const QColor& colour);
  void PlaceLine(const std::string& line);
  bool SaveChosen(const EventChoice& choice, DescriptionSource source);
  // True when the step list differs from the event as last loaded or saved.
  bool HasUnsavedSteps() const;
  // True when nothing unsaved would be lost, or the user agrees to lose it.
  bool MayDiscardSteps();

  global::Global& global_;
  platform::MessageBoxes& messages_;
  // 1 while the selected line is being edited: the next built line replaces it.
  std::int16_t EditMode = 0;
  QColor normalFrameColour_;
  // The step list as last loaded or saved, and the item it belongs to.
  std::vector<std::string> savedSteps_;
  int chosenIndex_ = -1;

  QLabel* Label1 = nullptr;
  QComboBox* cmbEvents = nullptr;
  QListWidget* lstEvents = nullptr;
  QPushButton* cmdEdit = nullptr;
  QPushButton* cmdAdd = nullptr;
  QPushButton* cmdDel = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdSaveNew = nullptr;

  QGroupBox* fmeBits = nullptr;
  std::array<QCheckBox*, 5> chkBits{};  // index = line number D0 to D4
  QPushButton* cmdAddBits = nullptr;

  QGroupBox* fmeDelay = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtDelay = nullptr;
  QPushButton* cmdAddDelay = nullptr;

  QGroupBox* fmeTx = nullptr;
  std::array<QCheckBox*, 5> chkTx{};  // index = line number; only D2 to D4 exist
  QLabel* Label3 = nullptr;
  std::array<QCheckBox*, 2> chkSCLK{};
  QLabel* Label4 = nullptr;
  std::array<QCheckBox*, 2> chkData{};
  QLabel* Label5 = nullptr;
  QLineEdit* txtValue = nullptr;
  QLabel* Label6 = nullptr;
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;
  QFrame* Line3 = nullptr;
  QPushButton* cmdAddTx = nullptr;
};

}  // namespace quorvane::ui
