// The event editor's two save commands: "Save event" under the chosen event,
// "Save as new event" under a name and description the user types.

#include <QComboBox>
#include <filesystem>

#include "global/Global.h"
#include "platform/desktop/MessageBoxes.h"
#include "ui/editor/EditorMessages.h"
#include "ui/editor/EventCombo.h"
#include "ui/editor/EventSaving.h"
#include "ui/editor/frmDefs.h"

namespace quorvane::ui {
namespace {

using Icon = platform::MessageBoxes::Icon;

}  // namespace

void frmDefs::cmdSave_Click() {
  const QString item = cmbEvents->currentText();
  if (item.isEmpty()) return;
  // Saved under the name the file has, also where it is not text in the local
  // encoding and the list shows it decoded otherwise.
  EventChoice choice = SplitEventItem(item.toStdString());
  choice.name = EventNameAt(*cmbEvents, cmbEvents->currentIndex());
  SaveChosen(choice, DescriptionSource::KeptFromFile);
}

bool frmDefs::SaveChosen(const EventChoice& choice, DescriptionSource source) {
  std::vector<std::string> steps = StepLines();
  const auto failure = SaveEventFile(global_.ProgramFolder, choice, steps, source);
  if (failure) {
    messages_.MsgBox(this, QString::fromStdString(*failure), Icon::Critical, kErrorTitle);
    return false;
  }
  savedSteps_ = std::move(steps);
  return true;
}

void frmDefs::cmdSaveNew_Click() {
  const QString name = messages_.InputBox(this, kNamePrompt, kNameTitle, QString());
  if (const auto problem = EventNameProblem(name.toStdString())) {
    messages_.MsgBox(this, QString::fromStdString(*problem), Icon::Critical, kErrorTitle);
    return;
  }
  const QString description =
      messages_.InputBox(this, kDescriptionPrompt, kDescriptionTitle, QString());
  if (description.isEmpty()) {
    messages_.MsgBox(this, kDescriptionMissing, Icon::Critical, kErrorTitle);
    return;
  }

  const QString item = name + ", " + description;
  const EventChoice choice = SplitEventItem(item.toStdString());
  // Refused before the question below, so that nothing is asked in vain.
  if (const auto problem =
          CharactersTheFileCannotHold(EventPath(global_.ProgramFolder, choice.name),
                                      EventFileLines(choice.description, StepLines()))) {
    messages_.MsgBox(this, QString::fromStdString(*problem), Icon::Critical, kErrorTitle);
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(EventPath(global_.ProgramFolder, choice.name), error)) {
    const auto answer = messages_.AskYesNo(
        this, QString::fromStdString(ReplaceQuestion(choice.name)), Icon::Question, kReplaceTitle);
    if (answer != platform::MessageBoxes::Answer::Yes) return;
  }
  // The list gains the item only once its file is written, so a failed save
  // leaves the window as it was. Line 1 is the description just typed, never
  // the one an older file of that name held.
  if (!SaveChosen(choice, DescriptionSource::AsTyped)) return;
  for (int index = cmbEvents->count() - 1; index >= 0; --index) {
    if (EventNameAt(*cmbEvents, index) == choice.name) {
      cmbEvents->removeItem(index);
    }
  }
  cmbEvents->addItem(item);
  cmbEvents->setCurrentIndex(cmbEvents->count() - 1);
  chosenIndex_ = cmbEvents->currentIndex();
}

}  // namespace quorvane::ui
