#pragma once
// A parallel port written through the inpout32 driver DLL (Windows):
// inpoutx64.dll in a 64-bit program, inpout32.dll in a 32-bit one. Windows
// loads no DLL of the other width into a program, so only the one that fits
// is tried. The logic runs on every system against an InpoutSystem; the
// Windows one (WindowsInpoutSystem) loads the real DLL.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/ports/Port.h"
#include "platform/ports/parallel/InpoutSystem.h"

namespace quorvane::platform {

class InpoutPort final : public Port {
 public:
  static constexpr const char* kLibraryName = sizeof(void*) == 8 ? "inpoutx64.dll" : "inpout32.dll";

  struct Opening {
    std::unique_ptr<InpoutPort> port;  // null when the DLL or its driver cannot be used
    std::string error;                 // names the DLL, the reason and what to do
    std::string notice;                // said once when the port opened
  };

  // Loads the DLL, finds Out32 and asks IsInpOutDriverOpen: a DLL whose driver
  // is not open writes nothing and reports nothing, so the port is refused.
  // A DLL older than IsInpOutDriverOpen opens with a notice that says so.
  static Opening Open(std::unique_ptr<InpoutSystem> system);

  explicit InpoutPort(std::unique_ptr<InpoutSystem> system) : system_(std::move(system)) {}

  // The register address is passed on as the program wrote it; the control
  // register keeps bits 4 and 5 clear. A write the driver refuses is latched
  // with the system's words for it and nothing more is written.
  void Out32(std::uint16_t address, std::uint8_t value) override;

 private:
  std::unique_ptr<InpoutSystem> system_;  // the DLL is unloaded with it
};

}  // namespace quorvane::platform
