#include "platform/ports/parallel/InpoutPort.h"

#include <utility>

#include "platform/ports/parallel/ControlRegister.h"

namespace quorvane::platform {

namespace {

// Error codes of LoadLibrary (winerror.h).
constexpr std::uint32_t kModuleNotFound = 126;  // ERROR_MOD_NOT_FOUND
constexpr std::uint32_t kBadExeFormat = 193;    // ERROR_BAD_EXE_FORMAT

// The system's words for an error, its number, and the DLL's name where the
// words hold the place for it ("%1 is not a valid Win32 application").
std::string Words(InpoutSystem& system, std::uint32_t error) {
  std::string words = system.ErrorText(error);
  while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.' ||
                            words.back() == ' ')) {
    words.pop_back();
  }
  if (const auto insert = words.find("%1"); insert != std::string::npos) {
    words.replace(insert, 2, InpoutPort::kLibraryName);
  }
  const std::string number = "error " + std::to_string(error);
  return words.empty() ? number : words + " (" + number + ")";
}

std::string LoadError(InpoutSystem& system, std::uint32_t error) {
  const std::string name = InpoutPort::kLibraryName;
  std::string text = name + " could not be loaded: " + Words(system, error);
  if (error == kModuleNotFound) {
    text += "; put " + name +
            " from the InpOut32 package next to the program, then run the program once as "
            "administrator to install its driver";
  } else if (error == kBadExeFormat) {
    text += "; this " + std::string(sizeof(void*) == 8 ? "64" : "32") + "-bit program needs " +
            name + " from the InpOut32 package";
  }
  return text;
}

}  // namespace

InpoutPort::Opening InpoutPort::Open(std::unique_ptr<InpoutSystem> system) {
  const std::string name = kLibraryName;
  if (const std::uint32_t error = system->Load(name); error != 0) {
    return {nullptr, LoadError(*system, error), {}};
  }
  if (!system->Exports("Out32"))
    return {nullptr, name + " was loaded but has no Out32 function", {}};
  if (!system->Exports("IsInpOutDriverOpen")) {
    return {std::make_unique<InpoutPort>(std::move(system)),
            {},
            name +
                " has no IsInpOutDriverOpen (a version before 1.5): whether its driver "
                "reaches the port cannot be checked, and writes are not confirmed."};
  }
  if (!system->IsDriverOpen()) {
    return {nullptr,
            "the inpout32 driver is not loaded, so " + name +
                " cannot reach the port: run the program once as administrator (right-click, "
                "Run as administrator) to install the driver. If it still is not loaded, "
                "Windows may block it through its vulnerable driver blocklist (Windows "
                "Security, Device security, Core isolation).",
            {}};
  }
  return {std::make_unique<InpoutPort>(std::move(system)), {}, {}};
}

void InpoutPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  const std::uint8_t byte = address == kControlRegister ? HardwareControlByte(value) : value;
  // Out32 returns nothing: it hands the byte to the driver with DeviceIoControl
  // and drops its result, but a refused call leaves the thread's last error set.
  if (const std::uint32_t error = system_->Out32(address, byte); error != 0) {
    Fail("inpout32: " + Words(*system_, error));
  }
}

}  // namespace quorvane::platform
