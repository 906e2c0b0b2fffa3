#include "platform/folders/ProgramPath.h"

#include <system_error>

#include "platform/files/FolderSeparator.h"
#include "platform/files/TextPath.h"

namespace quorvane::platform {

std::string ExecutableFolder() {
  const std::filesystem::path executable = ExecutablePath();
  std::error_code error;
  const std::filesystem::path folder =
      executable.empty() ? std::filesystem::current_path(error) : executable.parent_path();
  return WithFolderSeparator(TextFromPath(folder));
}

}  // namespace quorvane::platform
