#include "platform/folders/ProgramPath.h"

#include <system_error>

namespace quorvane::platform {

std::filesystem::path ExecutablePath() {
  // Linux names the executable in /proc; a system without it leaves the
  // path empty.
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable;
}

}  // namespace quorvane::platform
