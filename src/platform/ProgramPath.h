#pragma once
// Where the running program's executable lives.

#include <string>

namespace quorvane::platform {

// The folder of the running executable, ending in the folder separator; the
// current folder when it cannot be found.
std::string ExecutableFolder();

// The folder's path ending in the folder separator ('/' or a backslash counts).
std::string WithFolderSeparator(const std::string& folder);

}  // namespace quorvane::platform
