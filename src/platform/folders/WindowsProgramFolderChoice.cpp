#include "platform/folders/ProgramFolderPlatform.h"

#include <io.h>

#include "platform/files/TextPath.h"

namespace quorvane::platform {

const char* const kDataHomeVariable = "APPDATA";
const char* const kHomeVariable = "USERPROFILE";
const char* const kUserFolderHelp =
    "%APPDATA%\\quorvane\\ (without APPDATA, %USERPROFILE%\\.local\\share\\quorvane\\)";

// USERPROFILE is the whole answer on Windows.
std::optional<std::string> AccountHome() {
  return std::nullopt;
}

bool MayCreateFilesIn(const std::string& folder) {
  return _waccess(PathFromText(folder).c_str(), 2) == 0;
}

}  // namespace quorvane::platform
