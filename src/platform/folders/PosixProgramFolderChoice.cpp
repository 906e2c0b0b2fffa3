#include "platform/folders/ProgramFolderPlatform.h"

#include <pwd.h>
#include <unistd.h>

namespace quorvane::platform {

const char* const kDataHomeVariable = "XDG_DATA_HOME";
const char* const kHomeVariable = "HOME";
const char* const kUserFolderHelp = "$XDG_DATA_HOME/quorvane/ (default ~/.local/share/quorvane/)";

std::optional<std::string> AccountHome() {
  if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
    return std::string(user->pw_dir);
  }
  return std::nullopt;
}

bool MayCreateFilesIn(const std::string& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace quorvane::platform
