#pragma once
// SIGINT and SIGTERM as a request to stop: the desktop program then runs its
// shut-down writes before it ends, so the module is never left with its lines
// driven. The request is seen by waits (StopAwareSleeper), by the window's
// repaint after each displayed write, and by the event loop through a file
// descriptor that becomes readable.

#include <stdexcept>

namespace quorvane::platform {

// Thrown out of a wait or a display step when a stop was requested; the window
// that started the action catches it and closes.
class StopRequest : public std::runtime_error {
 public:
  StopRequest() : std::runtime_error("stop requested") {}
};

// Installs the handlers (once); afterwards SIGINT and SIGTERM only request a stop.
void InstallStopSignals();
bool StopRequested();
// Requests a stop as the signals do (also for tests).
void RequestStop();
// Readable once a stop was requested; -1 where not available.
int StopDescriptor();
// Throws StopRequest when a stop was requested.
void ThrowIfStopRequested();

}  // namespace quorvane::platform
