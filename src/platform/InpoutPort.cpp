#include "platform/InpoutPort.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/ControlRegister.h"

namespace quorvane::platform {

namespace {

#if defined(_WIN64)
constexpr const char* kLibraryNames[] = {"inpoutx64.dll", "inpout32.dll"};
#else
constexpr const char* kLibraryNames[] = {"inpout32.dll", "inpoutx64.dll"};
#endif

// The system's words for an error code, without the line end it ends with.
std::string ErrorText(DWORD error) {
  char text[256] = {};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, static_cast<DWORD>(sizeof text), nullptr);
  std::string words(text, length);
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.')) {
    words.pop_back();
  }
  return words.empty() ? "error " + std::to_string(error) : words;
}

}  // namespace

void InpoutPort::LibraryFreer::operator()(void* module) const {
  FreeLibrary(static_cast<HMODULE>(module));
}

InpoutPort::Opening InpoutPort::Open() {
  for (const char* name : kLibraryNames) {
    Library library(LoadLibraryA(name));
    if (!library) continue;
    const FARPROC function = GetProcAddress(static_cast<HMODULE>(library.get()), "Out32");
    if (function == nullptr) {
      return {nullptr, std::string(name) + " was loaded but has no Out32 function"};
    }
    // Through the generic function pointer type, which any function pointer
    // may be cast to and from.
    const auto out32 = reinterpret_cast<Out32Function>(reinterpret_cast<void (*)()>(function));
    return {std::make_unique<InpoutPort>(std::move(library), out32), {}};
  }
  return {nullptr, std::string("the inpout32 driver could not be loaded: neither ") +
                       kLibraryNames[0] + " nor " + kLibraryNames[1] +
                       " was found next to the program or on the search path"};
}

void InpoutPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  const std::uint8_t byte = address == kControlRegister ? HardwareControlByte(value) : value;
  // Out32 returns nothing: it hands the byte to the driver with DeviceIoControl
  // and drops its result, but a refused call leaves the thread's last error set.
  SetLastError(ERROR_SUCCESS);
  out32_(static_cast<short>(address), static_cast<short>(byte));
  if (const DWORD error = GetLastError(); error != ERROR_SUCCESS)
    Fail("inpout32: " + ErrorText(error));
}

}  // namespace quorvane::platform
