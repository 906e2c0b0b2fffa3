#include <QApplication>

#include "EditorTests.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  using namespace quorvane::testing;
  int failures = 0;
  for (auto* run : {RunStepLinesTest, RunEventSavingTest, RunEditorWindowTest, RunEditorSaveTest,
                    RunUnsavedStepsTest, RunEditorLookTest, RunEditorMessageBoxTest}) {
    failures += run(argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
