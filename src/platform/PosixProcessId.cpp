#include "platform/ProcessId.h"

#include <unistd.h>

namespace quorvane::platform {

int ProcessId() {
  return getpid();
}

}  // namespace quorvane::platform
