#pragma once
// The system's number of the running process.

namespace quorvane::platform {

int ProcessId();

}  // namespace quorvane::platform
