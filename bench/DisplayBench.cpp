// Displayed port writes per second: each write lights the lamps, redraws the
// whole trace and repaints the window synchronously before the port write,
// here on the offscreen platform into a port that does nothing.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "OffscreenMain.h"

#include <QApplication>
#include <memory>

#include "events/Engine.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/desktop/Shell.h"
#include "platform/Sleeper.h"
#include "platform/ports/Port.h"
#include "session/PortStack.h"
#include "ui/main/frmELCD.h"

namespace {

using namespace quorvane;
using bench::NullPort;
using bench::NullSleeper;

class NullMessages final : public platform::MessageBoxes {
 public:
  void MsgBox(QWidget*, const QString&, Icon, const QString&) override {}
  Answer AskYesNo(QWidget*, const QString&, Icon, const QString&) override { return Answer::No; }
  int AskChoice(QWidget*, const QString&, Icon, const QString&, const QStringList&,
                int escape) override {
    return escape;
  }
  QString InputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  void Beep() override {}
};

class NullShell final : public platform::Shell {
 public:
  bool Open(QWidget*, const QString&, int) override { return true; }
};

class NullDialogs final : public platform::CommonDialogs {
 public:
  bool GetOpenFileNameA(platform::OpenFileNameRecord&) override { return false; }
  bool GetSaveFileNameA(platform::OpenFileNameRecord&) override { return false; }
  std::uint32_t GetFileVersionInfoSizeA(const char*) override { return 0; }
  bool GetFileVersionInfoA(const char*, std::uint32_t, void*) override { return false; }
  bool VerQueryValueA(const void*, const char*, const void*&, std::uint32_t&) override {
    return false;
  }
};

// A started-up main window, shown, writing into a port that does nothing.
struct ShownWindow {
  ShownWindow() {
    window.Form_Load();
    window.show();
    QApplication::processEvents();
  }
  ~ShownWindow() { window.close(); }
  NullPort port;
  NullSleeper sleeper;
  NullMessages messages;
  NullShell shell;
  NullDialogs dialogs;
  std::unique_ptr<session::PortStack> stack =
      session::PortStack::Over(port, {}, {sleeper, sleeper}, {}).stack;
  ui::frmELCD window{{*stack, messages, shell, dialogs, QUORVANE_DATA_DIR}};
};

void DisplayedPortWrites(benchmark::State& state) {
  ShownWindow shown;
  std::uint8_t value = 0;
  for (auto _ : state) shown.window.Engine().output.UpdateOutput(value++, false);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(DisplayedPortWrites)->Unit(benchmark::kMicrosecond);

// A whole command list with the display on: 18 displayed writes per byte.
void DisplayedCommandList(benchmark::State& state) {
  ShownWindow shown;
  for (auto _ : state) shown.window.cmdSendCommand_Click();
  state.SetItemsProcessed(state.iterations() * 6 * 18);
}
BENCHMARK(DisplayedCommandList)->Unit(benchmark::kMillisecond);

}  // namespace

QUORVANE_OFFSCREEN_BENCHMARK_MAIN()
