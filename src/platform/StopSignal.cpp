#include "platform/StopSignal.h"

#include <csignal>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvane::platform {
namespace {

// The only state a signal handler may touch: a flag and a pipe.
volatile std::sig_atomic_t stopFlag = 0;
volatile std::sig_atomic_t stopSignal = 0;
int pipeEnds[2] = {-1, -1};

extern "C" void OnStopSignal(int signal) {
  if (stopFlag == 0) stopSignal = signal;
  stopFlag = 1;
#ifndef _WIN32
  if (pipeEnds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
  }
#endif
}

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
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
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
  return pipeEnds[0];
}

void ThrowIfStopRequested() {
  if (StopRequested()) throw StopRequest();
}

}  // namespace quorvane::platform
