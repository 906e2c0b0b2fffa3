#pragma once
// The test classes of the editor's test program, each run by main.

namespace quorvane::testing {

int RunStepLinesTest(int argc, char** argv);
int RunEventSavingTest(int argc, char** argv);
int RunEditorWindowTest(int argc, char** argv);
int RunEditorSaveTest(int argc, char** argv);
int RunUnsavedStepsTest(int argc, char** argv);
int RunEditorLookTest(int argc, char** argv);
int RunEditorMessageBoxTest(int argc, char** argv);

}  // namespace quorvane::testing
