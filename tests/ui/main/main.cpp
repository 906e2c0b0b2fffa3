#include <QApplication>

#include "MainWindowTests.h"
#include "ui/main/ApplicationLook.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quorvane::ui::ApplyApplicationLook();
  using namespace quorvane::testing;
  int failures = 0;
  for (auto* run : {RunMainWindowTest, RunMainWindowInputTest, RunMainWindowEdgesTest}) {
    failures += run(argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
