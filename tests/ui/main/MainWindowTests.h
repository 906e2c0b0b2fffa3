#pragma once
// The test classes of the main window's test program, each run by main.

namespace quorvane::testing {

int RunMainWindowTest(int argc, char** argv);
int RunMainWindowInputTest(int argc, char** argv);
int RunMainWindowEdgesTest(int argc, char** argv);

}  // namespace quorvane::testing
