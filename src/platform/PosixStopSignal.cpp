#include "platform/StopSignal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>

#include "platform/StopFlags.h"

namespace quorvane::platform {
namespace {

// Besides the flags, the only state a signal handler may touch: a pipe that
// wakes a wait.
int pipeEnds[2] = {-1, -1};

extern "C" void OnStopSignal(int signal) {
  RecordStopRequest(signal);
  if (pipeEnds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
  }
}

}  // namespace

void InstallStopSignals() {
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
}

const char* StopSignalName() {
  switch (StopSignalNumber()) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    case SIGQUIT:
      return "SIGQUIT";
    default:
      return "a stop request";
  }
}

void RequestStop() {
  OnStopSignal(0);
}

int StopDescriptor() {
  return pipeEnds[0];
}

void WaitAtMostUnlessStopped(int milliseconds) {
  pollfd stop = {StopDescriptor(), POLLIN, 0};
  poll(&stop, stop.fd >= 0 ? 1 : 0, milliseconds);
}

}  // namespace quorvane::platform
