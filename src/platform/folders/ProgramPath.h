#pragma once
// Where the running program's executable lives.

#include <filesystem>
#include <string>

namespace quorvane::platform {

// The folder of the running executable, ending in the folder separator; the
// current folder when it cannot be found.
std::string ExecutableFolder();

// The running executable's path as the system tells it; empty when it does
// not. One file per platform (PosixProgramPath.cpp, WindowsProgramPath.cpp).
std::filesystem::path ExecutablePath();

}  // namespace quorvane::platform
