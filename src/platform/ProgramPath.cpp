#include "platform/ProgramPath.h"

#include <filesystem>

#include "platform/TextPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane::platform {

std::string ExecutableFolder() {
  std::error_code error;
#ifdef _WIN32
  // The wide name: the ANSI one cannot hold every folder name. A long path
  // may exceed MAX_PATH.
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length < buffer.size() ? length : 0);
  std::filesystem::path executable(buffer);
#else
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
  std::filesystem::path folder =
      error || executable.empty() ? std::filesystem::current_path(error) : executable.parent_path();
  return WithFolderSeparator(TextFromPath(folder));
}

std::string WithFolderSeparator(const std::string& folder) {
  std::string text = folder;
  if (text.empty() || (text.back() != '/' && text.back() != '\\')) {
    text += static_cast<char>(std::filesystem::path::preferred_separator);
  }
  return text;
}

}  // namespace quorvane::platform
