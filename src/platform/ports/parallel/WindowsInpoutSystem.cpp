#include "platform/ports/parallel/WindowsInpoutSystem.h"

#include <windows.h>

#include <iterator>

#include "platform/files/TextPath.h"
#include "platform/files/WindowsTextPath.h"

namespace quorvane::platform {

namespace {

// Through the generic function pointer type, which any function pointer may
// be cast to and from.
template <typename Function>
Function FindFunction(void* library, const char* name) {
  const FARPROC function = GetProcAddress(static_cast<HMODULE>(library), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

WindowsInpoutSystem::~WindowsInpoutSystem() {
  if (library_ != nullptr) FreeLibrary(static_cast<HMODULE>(library_));
}

std::uint32_t WindowsInpoutSystem::Load(const std::string& name) {
  library_ = LoadLibraryW(PathFromText(folder_ + name).c_str());
  if (library_ == nullptr) return GetLastError();
  out32_ = FindFunction<Out32Function>(library_, "Out32");
  isDriverOpen_ = FindFunction<DriverOpenFunction>(library_, "IsInpOutDriverOpen");
  return 0;
}

bool WindowsInpoutSystem::Exports(const char* function) {
  return library_ != nullptr && GetProcAddress(static_cast<HMODULE>(library_), function) != nullptr;
}

bool WindowsInpoutSystem::IsDriverOpen() {
  return isDriverOpen_ != nullptr && isDriverOpen_() != FALSE;
}

std::uint32_t WindowsInpoutSystem::Out32(std::uint16_t port, std::uint8_t data) {
  SetLastError(ERROR_SUCCESS);
  out32_(static_cast<short>(port), static_cast<short>(data));
  return GetLastError();
}

std::string WindowsInpoutSystem::ErrorText(std::uint32_t error) {
  // The wide words, as the ANSI ones would come in the system's code page.
  wchar_t text[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, static_cast<DWORD>(std::size(text)), nullptr);
  return Utf8FromWide(std::wstring_view(text, length));
}

}  // namespace quorvane::platform
