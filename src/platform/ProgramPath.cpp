#include "platform/ProgramPath.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane::platform {

std::string ExecutableFolder() {
  std::error_code error;
#ifdef _WIN32
  char buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::filesystem::path executable(std::string(buffer, length));
#else
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
  std::filesystem::path folder =
      error || executable.empty() ? std::filesystem::current_path(error) : executable.parent_path();
  return WithFolderSeparator(folder.string());
}

std::string WithFolderSeparator(const std::string& folder) {
  std::string text = folder;
  if (text.empty() || (text.back() != '/' && text.back() != '\\')) {
    text += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  return text;
}

}  // namespace quorvane::platform
