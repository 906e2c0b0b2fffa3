// The signals that end a program from outside (the terminal closed, Ctrl+C,
// Ctrl+\, kill) only request a stop once the handlers are installed. Each case
// runs in a child process: a stop request cannot be taken back.

#include "platform/StopSignal.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/StopAwareSleeper.h"

#ifndef _WIN32
#include <poll.h>
#else
#include <windows.h>

#include <chrono>
#include <thread>
#endif

namespace quorvane::platform {
namespace {

// True when the stop was requested by `signal` and is reported under `name`.
bool StoppedBy(int signal, const char* name) {
  return StopRequested() && std::string(StopSignalName()) == name && StopSignalNumber() == signal &&
         StopExitStatus() == 128 + signal;
}

// Exits 0 when the signal left the process running with the stop requested.
[[noreturn]] void RaiseAndCheck(int signal, const char* name) {
  InstallStopSignals();
  if (StopRequested()) std::_Exit(2);
  std::raise(signal);
#ifndef _WIN32
  pollfd stop = {StopDescriptor(), POLLIN, 0};
  const bool readable = poll(&stop, 1, 0) == 1;
#else
  const bool readable = true;  // no descriptor: waits end through an event object
#endif
  std::_Exit(readable && StoppedBy(signal, name) ? 0 : 3);
}

TEST(StopSignalDeathTest, HangupQuitTerminateAndInterruptRequestAStop) {
  const struct {
    int signal;
    const char* name;
  } cases[] = {
#ifndef _WIN32
      {SIGHUP, "SIGHUP"},
      {SIGQUIT, "SIGQUIT"},
#else
      {SIGBREAK, "SIGBREAK"},
#endif
      {SIGTERM, "SIGTERM"},
      {SIGINT, "SIGINT"},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(RaiseAndCheck(c.signal, c.name), ::testing::ExitedWithCode(0), "") << c.name;
  }
}

#ifdef _WIN32
// Ctrl+C reaches a console program as a console control event, handled on a
// thread of its own while the program waits; the wait ends at once.
[[noreturn]] void CtrlCEndsAWait() {
  InstallStopSignals();
  // A console of this process alone, so that the event reaches no other
  // program (the test runner shares the console it was started with).
  FreeConsole();
  if (!AllocConsole()) std::_Exit(4);
  // The key is pressed a moment after the wait began.
  std::thread user([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) std::_Exit(5);
  });
  user.detach();
  StopAwareSleeper sleeper;
  const auto start = std::chrono::steady_clock::now();
  try {
    sleeper.Sleep(10000);
  } catch (const StopRequest&) {
    const bool early = std::chrono::steady_clock::now() - start < std::chrono::seconds(5);
    if (!early || !StoppedBy(SIGINT, "SIGINT")) std::_Exit(3);
    // A second Ctrl+C while the shut-down writes go out must not end the
    // program (the C library puts a signal's action back to the default
    // before it calls the handler; the console's handler stays).
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) std::_Exit(5);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::_Exit(0);
  }
  std::_Exit(6);  // the wait ran its whole time
}

TEST(StopSignalDeathTest, CtrlCEndsAWaitOnWindows) {
  EXPECT_EXIT(CtrlCEndsAWait(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace quorvane::platform
