// The event editor's step builders: the three "<<" buttons, placing a built
// line in the step list, and the pair rule of the transmit frame.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <memory>

#include "platform/desktop/MessageBoxes.h"
#include "ui/editor/EditorMessages.h"
#include "ui/editor/StepBuilders.h"
#include "ui/editor/frmDefs.h"

namespace quorvane::ui {

void frmDefs::cmdAddBits_Click() {
  LineLevels levels{};
  for (std::size_t line = 0; line < chkBits.size(); ++line) {
    levels[line] = chkBits[line]->isChecked();
  }
  PlaceLine(StaticBitsLine(levels));
}

void frmDefs::cmdAddDelay_Click() {
  const auto line = DelayLine(txtDelay->text().toStdString());
  if (!line) {
    messages_.MsgBox(this, kDelayOutOfRange, platform::MessageBoxes::Icon::Critical, kErrorTitle);
    return;
  }
  PlaceLine(*line);
}

void frmDefs::cmdAddTx_Click() {
  TransmitInputs inputs;
  for (std::size_t line = 2; line < chkTx.size(); ++line) {
    inputs.levels[line] = chkTx[line]->isChecked();
  }
  inputs.highToLow = chkSCLK[0]->isChecked();
  inputs.msbFirst = chkData[0]->isChecked();
  inputs.value = txtValue->text().toStdString();
  PlaceLine(TransmitLine(inputs));
}

void frmDefs::PlaceLine(const std::string& line) {
  const QString text = QString::fromStdString(line);
  const int row = SelectedLine();
  {
    const QSignalBlocker blocker(lstEvents);
    if (EditMode == 1 && row >= 0) {
      lstEvents->insertItem(row, text);
      const std::unique_ptr<QListWidgetItem> replaced(lstEvents->takeItem(row + 1));
      lstEvents->selectionModel()->clear();
      lstEvents->scrollToItem(lstEvents->item(row));
    } else {
      // Outside edit mode, and in edit mode once the selected line is gone
      // (removed, or another event loaded): the line is appended, never lost,
      // and the list scrolls to show it.
      lstEvents->addItem(text);
      lstEvents->scrollToBottom();
    }
  }
  if (EditMode == 1) cmdEdit_Click();
  ClearFrames();
}

void frmDefs::chkSCLK_Click(int Index) {
  chkSCLK[Index == 0 ? 1 : 0]->setChecked(!chkSCLK[Index]->isChecked());
}

void frmDefs::chkData_Click(int Index) {
  chkData[Index == 0 ? 1 : 0]->setChecked(!chkData[Index]->isChecked());
}

}  // namespace quorvane::ui
