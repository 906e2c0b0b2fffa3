#pragma once
// The paragraph that --help ends with: which folder is in use and why.

#include <string>

#include "platform/folders/ProgramFolderChoice.h"

namespace quorvane::platform {

std::string FolderHelp(const FolderChoice& choice);

}  // namespace quorvane::platform
