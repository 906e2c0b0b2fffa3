#include "platform/StopSignal.h"

#include <atomic>
#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace quorvane::platform {
namespace {

// The only state a signal handler may touch: two lock-free flags, and a pipe
// (POSIX) or an event object (Windows) that wakes a wait. On Windows the
// console's handler runs on a thread of its own, so the flags are atomic.
std::atomic<int> stopFlag = 0;
std::atomic<int> stopSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free);

#ifndef _WIN32
int pipeEnds[2] = {-1, -1};
#else
HANDLE stopEvent = nullptr;  // manual reset: once set, every later wait ends at once
#endif

extern "C" void OnStopSignal(int signal) {
  if (stopFlag == 0) stopSignal = signal;
  stopFlag = 1;
#ifndef _WIN32
  if (pipeEnds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
  }
#else
  if (stopEvent != nullptr) SetEvent(stopEvent);
  // The C library puts the default action back before it calls a handler.
  if (signal != 0) std::signal(signal, OnStopSignal);
#endif
}

#ifdef _WIN32
// Console control events. Ctrl+C and Ctrl+Break only ask for the stop. After
// a close, log-off or shut-down event the system ends the process once the
// handler returns (at the latest a few seconds later), so the handler waits
// there for the program to finish its shut-down writes and end by itself.
BOOL WINAPI OnConsoleControl(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
      OnStopSignal(SIGINT);
      return TRUE;
    case CTRL_BREAK_EVENT:
      OnStopSignal(SIGBREAK);
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      OnStopSignal(SIGTERM);
      ::Sleep(10000);
      return TRUE;
    default:
      return FALSE;
  }
}
#endif

}  // namespace

void InstallStopSignals() {
#ifndef _WIN32
  if (pipeEnds[0] < 0 && pipe(pipeEnds) == 0) {
    for (const int end : pipeEnds) {
      fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
      fcntl(end, F_SETFD, FD_CLOEXEC);
    }
  }
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(signal, &action, nullptr);
#else
  if (stopEvent == nullptr) stopEvent = CreateEventW(nullptr, TRUE, stopFlag != 0, nullptr);
  // raise() and the C library's own signals; the console's events come to
  // the control handler first.
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGBREAK, OnStopSignal);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#endif
}

bool StopRequested() {
  return stopFlag != 0;
}

int StopSignalNumber() {
  return stopSignal;
}

const char* StopSignalName() {
  switch (stopSignal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
#ifndef _WIN32
    case SIGHUP:
      return "SIGHUP";
    case SIGQUIT:
      return "SIGQUIT";
#else
    case SIGBREAK:
      return "SIGBREAK";
#endif
    default:
      return "a stop request";
  }
}

int StopExitStatus() {
  return stopSignal != 0 ? 128 + stopSignal : 1;
}

void RequestStop() {
  OnStopSignal(0);
}

int StopDescriptor() {
#ifndef _WIN32
  return pipeEnds[0];
#else
  return -1;
#endif
}

void WaitAtMostUnlessStopped(int milliseconds) {
#ifndef _WIN32
  pollfd stop = {StopDescriptor(), POLLIN, 0};
  poll(&stop, stop.fd >= 0 ? 1 : 0, milliseconds);
#else
  if (stopEvent != nullptr) {
    WaitForSingleObject(stopEvent, static_cast<DWORD>(milliseconds));
  } else {
    ::Sleep(static_cast<DWORD>(milliseconds));
  }
#endif
}

void ThrowIfStopRequested() {
  if (StopRequested()) throw StopRequest();
}

}  // namespace quorvane::platform
