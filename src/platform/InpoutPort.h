#pragma once
// A parallel port written through the inpout32 driver DLL (Windows only):
// inpoutx64.dll on 64-bit builds, inpout32.dll on 32-bit ones.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/Port.h"

namespace quorvane::platform {

class InpoutPort final : public Port {
 public:
  struct Opening {
    std::unique_ptr<InpoutPort> port;  // null when the DLL could not be used
    std::string error;                 // one sentence naming the DLL and the reason
  };

  // Loads the DLL for this build (the other one as a fallback) and finds its
  // Out32 function.
  static Opening Open();

  // The module handle (HMODULE) is kept as void* so that <windows.h> stays
  // out of this header.
  using Out32Function = void(__stdcall*)(short port, short data);
  struct LibraryFreer {
    void operator()(void* module) const;
  };
  using Library = std::unique_ptr<void, LibraryFreer>;

  InpoutPort(Library library, Out32Function out32) : library_(std::move(library)), out32_(out32) {}

  // The register address is passed on as the program wrote it; the control
  // register keeps bits 4 and 5 clear. A write the driver refuses is latched
  // with the system's words for it and nothing more is written.
  void Out32(std::uint16_t address, std::uint8_t value) override;

 private:
  Library library_;  // unloaded when the port goes
  Out32Function out32_;
};

}  // namespace quorvane::platform
