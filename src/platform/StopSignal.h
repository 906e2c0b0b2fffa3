#pragma once
// SIGINT, SIGTERM, SIGHUP (the terminal that started the program was closed)
// and SIGQUIT as a request to stop: the running action ends at the next byte
// boundary (session/StopGate.h); the desktop program then runs its shut-down
// writes before it ends. On Windows the console's Ctrl+C is SIGINT,
// Ctrl+Break SIGBREAK, and closing the console window, logging off or shutting
// down SIGTERM. The request is seen by waits (StopAwareSleeper), before every
// port write at a byte boundary, and by the event loop through a file
// descriptor that becomes readable (not on Windows, where waits end through an
// event object instead).

#include <stdexcept>

namespace quorvane::platform {

// Thrown out of a wait or before a port write when a stop was requested; the
// session that runs the action catches it.
class StopRequest : public std::runtime_error {
 public:
  StopRequest() : std::runtime_error("stop requested") {}
};

// Installs the handlers (once); afterwards the four signals only request a stop.
void InstallStopSignals();
bool StopRequested();
// The signal that asked for the stop; 0 before one did, or when the stop was
// requested otherwise.
int StopSignalNumber();
// "SIGHUP", "SIGINT", "SIGQUIT", "SIGTERM" (or on Windows "SIGBREAK") for the
// signal that asked for the stop; "a stop request" without one.
const char* StopSignalName();
// Requests a stop as the signals do (also for tests).
void RequestStop();
// The exit status of a program stopped by a signal: 128 + its number, as a
// shell reports a program that the signal ended; 1 without a signal.
int StopExitStatus();
// Readable once a stop was requested; -1 where not available.
int StopDescriptor();
// Blocks for at most `milliseconds`, less once a stop is requested (or, on
// POSIX systems, when a signal interrupts the wait).
void WaitAtMostUnlessStopped(int milliseconds);
// Throws StopRequest when a stop was requested.
void ThrowIfStopRequested();

}  // namespace quorvane::platform
