#include "platform/ProcessId.h"

#include <process.h>

namespace quorvane::platform {

int ProcessId() {
  return _getpid();
}

}  // namespace quorvane::platform
