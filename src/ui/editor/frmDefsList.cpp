// The event editor's step list: loading the chosen event, "+", "-", edit
// mode, and the selected line shown in its frame.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <memory>

#include "events/EventFile.h"
#include "events/TextFields.h"
#include "global/Global.h"
#include "platform/desktop/MessageBoxes.h"
#include "ui/editor/EditorMessages.h"
#include "ui/editor/EventCombo.h"
#include "ui/editor/EventSaving.h"
#include "ui/editor/StepReadout.h"
#include "ui/editor/frmDefs.h"

namespace quorvane::ui {
namespace {

const QColor kHighlightColour(255, 192, 192);
const QColor kListColour(255, 255, 255);
const QColor kEditModeListColour(255, 255, 0);
const QColor kEditedLineColour(0, 0, 128);

}  // namespace

void frmDefs::cmbEvents_Click() {
  // Loading replaces the step list: unsaved changes go only when the user
  // agrees, otherwise the list and the choice stay as they were.
  if (!MayDiscardSteps()) {
    const QSignalBlocker blocker(cmbEvents);
    cmbEvents->setCurrentIndex(chosenIndex_);
    return;
  }
  ClearFrames();
  const std::string path =
      EventPath(global_.ProgramFolder, EventNameAt(*cmbEvents, cmbEvents->currentIndex()));
  std::vector<std::string> lines;
  const bool loaded = events::LoadEventLines(path, lines);
  QStringList items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) items.append(QString::fromStdString(line));
  {
    const QSignalBlocker blocker(lstEvents);
    lstEvents->clear();
    lstEvents->addItems(items);
  }
  savedSteps_ = StepLines();
  chosenIndex_ = cmbEvents->currentIndex();
  if (!loaded) {
    messages_.MsgBox(this, QString::fromStdString(LoadErrorMessage(path)),
                     platform::MessageBoxes::Icon::None, kProgramTitle);
  }
}

bool frmDefs::HasUnsavedSteps() const {
  return StepLines() != savedSteps_;
}

bool frmDefs::MayDiscardSteps() {
  if (!HasUnsavedSteps()) return true;
  return messages_.AskYesNo(this, kDiscardQuestion, platform::MessageBoxes::Icon::Question,
                            kDiscardTitle) == platform::MessageBoxes::Answer::Yes;
}

void frmDefs::ClearFrames() {
  for (QGroupBox* frame : {fmeBits, fmeDelay, fmeTx}) LightFrame(frame, normalFrameColour_);
}

void frmDefs::LightFrame(QGroupBox* frame, const QColor& colour) {
  QPalette look = frame->palette();
  look.setColor(QPalette::Window, colour);
  frame->setPalette(look);
}

int frmDefs::SelectedLine() const {
  const QListWidgetItem* current = lstEvents->currentItem();
  return current != nullptr && current->isSelected() ? lstEvents->currentRow() : -1;
}

std::vector<std::string> frmDefs::StepLines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(lstEvents->count()));
  for (int row = 0; row < lstEvents->count(); ++row) {
    lines.push_back(lstEvents->item(row)->text().toStdString());
  }
  return lines;
}

void frmDefs::cmdAdd_Click() {
  const int row = SelectedLine();
  if (row < 0) return;
  // The selected line moves one place down and stays selected; the frames
  // keep what the user may be editing.
  const QSignalBlocker blocker(lstEvents);
  lstEvents->insertItem(row, QString());
  lstEvents->scrollToItem(lstEvents->item(row));
}

void frmDefs::cmdDel_Click() {
  const int row = SelectedLine();
  if (row < 0) return;
  const QSignalBlocker blocker(lstEvents);
  const std::unique_ptr<QListWidgetItem> removed(lstEvents->takeItem(row));
  lstEvents->selectionModel()->clear();
}

void frmDefs::cmdEdit_Click() {
  if (EditMode == 1) {
    EditMode = 0;
  } else if (SelectedLine() >= 0) {
    EditMode = 1;
  }
  ShowListLook();
}

void frmDefs::ShowListLook() {
  // Disabled in edit mode so that the line being edited stays selected. A
  // disabled list draws its lines in the faint grey of disabled text, which
  // cannot be read on yellow: its lines are drawn in the enabled list's text
  // colour, and the line being edited white on navy.
  QPalette look = lstEvents->palette();
  look.setColor(QPalette::Base, EditMode == 1 ? kEditModeListColour : kListColour);
  look.setColor(QPalette::Disabled, QPalette::Text, look.color(QPalette::Active, QPalette::Text));
  look.setColor(QPalette::Disabled, QPalette::Highlight, kEditedLineColour);
  look.setColor(QPalette::Disabled, QPalette::HighlightedText, kListColour);
  lstEvents->setPalette(look);
  lstEvents->setEnabled(EditMode == 0);
}

void frmDefs::lstEvents_Click() {
  const int row = SelectedLine();
  if (row < 0) return;
  ClearFrames();
  ShowReadout(ReadStepLine(lstEvents->item(row)->text().toStdString()));
}

void frmDefs::ShowReadout(const StepReadout& readout) {
  switch (readout.frame) {
    case StepFrame::Bits:
      LightFrame(fmeBits, kHighlightColour);
      if (!readout.inRange) return;
      for (std::size_t line = 0; line < chkBits.size(); ++line) {
        chkBits[line]->setChecked(readout.levels[line]);
      }
      return;
    case StepFrame::Delay:
      LightFrame(fmeDelay, kHighlightColour);
      txtDelay->setText(QString::fromStdString(readout.delayText));
      return;
    case StepFrame::Transmit:
      LightFrame(fmeTx, kHighlightColour);
      if (!readout.inRange) return;
      for (std::size_t line = 2; line < chkTx.size(); ++line) {
        chkTx[line]->setChecked(readout.levels[line]);
      }
      // The checked box first: the pair rule then leaves the other unchecked.
      chkSCLK[readout.highToLow ? 0 : 1]->setChecked(true);
      chkSCLK[readout.highToLow ? 1 : 0]->setChecked(false);
      chkData[readout.msbFirst ? 0 : 1]->setChecked(true);
      chkData[readout.msbFirst ? 1 : 0]->setChecked(false);
      txtValue->setText(QString::fromStdString(readout.value));
      return;
    case StepFrame::None:
      return;
  }
}

}  // namespace quorvane::ui
