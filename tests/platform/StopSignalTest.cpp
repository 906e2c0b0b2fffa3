// The signals that end a program from outside (the terminal closed, Ctrl+C,
// Ctrl+\, kill) only request a stop once the handlers are installed. Each case
// runs in a child process: a stop request cannot be taken back.

#include "platform/StopSignal.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>
#include <cstdlib>

namespace quorvane::platform {
namespace {

// Exits 0 when the signal left the process running with the stop requested.
[[noreturn]] void RaiseAndCheck(int signal, const char* name) {
  InstallStopSignals();
  if (StopRequested()) std::_Exit(2);
  std::raise(signal);
  pollfd stop = {StopDescriptor(), POLLIN, 0};
  const bool readable = poll(&stop, 1, 0) == 1;
  const bool named = std::string(StopSignalName()) == name;
  std::_Exit(StopRequested() && readable && named && StopSignalNumber() == signal &&
                     StopExitStatus() == 128 + signal
                 ? 0
                 : 3);
}

TEST(StopSignalDeathTest, HangupQuitTerminateAndInterruptRequestAStop) {
  const struct {
    int signal;
    const char* name;
  } cases[] = {{SIGHUP, "SIGHUP"}, {SIGQUIT, "SIGQUIT"}, {SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}};
  for (const auto& c : cases) {
    EXPECT_EXIT(RaiseAndCheck(c.signal, c.name), ::testing::ExitedWithCode(0), "") << c.name;
  }
}

}  // namespace
}  // namespace quorvane::platform
