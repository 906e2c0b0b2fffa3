#include "platform/StopSignal.h"

#include <windows.h>

#include <csignal>

#include "platform/StopFlags.h"

namespace quorvane::platform {
namespace {

// Besides the flags, the only state a handler may touch: an event object
// that wakes a wait; manual reset, so once set, every later wait ends at once.
HANDLE stopEvent = nullptr;

extern "C" void OnStopSignal(int signal) {
  RecordStopRequest(signal);
  if (stopEvent != nullptr) SetEvent(stopEvent);
  // The C library puts the default action back before it calls a handler.
  if (signal != 0) std::signal(signal, OnStopSignal);
}

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

}  // namespace

void InstallStopSignals() {
  if (stopEvent == nullptr) stopEvent = CreateEventW(nullptr, TRUE, StopRequested(), nullptr);
  // raise() and the C library's own signals; the console's events come to
  // the control handler first.
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGBREAK, OnStopSignal);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

const char* StopSignalName() {
  switch (StopSignalNumber()) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGBREAK:
      return "SIGBREAK";
    default:
      return "a stop request";
  }
}

void RequestStop() {
  OnStopSignal(0);
}

int StopDescriptor() {
  return -1;
}

void WaitAtMostUnlessStopped(int milliseconds) {
  if (stopEvent != nullptr) {
    WaitForSingleObject(stopEvent, static_cast<DWORD>(milliseconds));
  } else {
    ::Sleep(static_cast<DWORD>(milliseconds));
  }
}

}  // namespace quorvane::platform
