#include "platform/folders/ProgramPath.h"

#include <windows.h>

#include <string>

namespace quorvane::platform {

std::filesystem::path ExecutablePath() {
  // The wide name: the ANSI one cannot hold every folder name. A long path
  // may exceed MAX_PATH.
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length < buffer.size() ? length : 0);
  return std::filesystem::path(buffer);
}

}  // namespace quorvane::platform
