#include "platform/InpoutPort.h"

#include <windows.h>

#include <utility>

#include "platform/ControlRegister.h"

namespace quorvane::platform {

namespace {

#if defined(_WIN64)
constexpr const char* kLibraryNames[] = {"inpoutx64.dll", "inpout32.dll"};
#else
constexpr const char* kLibraryNames[] = {"inpout32.dll", "inpoutx64.dll"};
#endif

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
  const std::uint8_t byte = address == kControlRegister ? HardwareControlByte(value) : value;
  out32_(static_cast<short>(address), static_cast<short>(byte));
}

}  // namespace quorvane::platform
