#pragma once
// The stop request as every platform's signal handler records it: two
// lock-free flags, kept by StopSignal.cpp. Each platform's file
// (PosixStopSignal.cpp, WindowsStopSignal.cpp) installs the handlers and
// wakes the waits.

namespace quorvane::platform {

// Records a request to stop; the first one keeps its signal (0: none). Safe
// in a signal handler, and on the console's handler thread on Windows.
void RecordStopRequest(int signal);

}  // namespace quorvane::platform
