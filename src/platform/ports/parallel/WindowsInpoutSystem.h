#pragma once
// The real inpout32 driver DLL (Windows only): LoadLibrary, GetProcAddress and
// the DLL's own two functions.

#include <string>

#include "platform/ports/parallel/InpoutSystem.h"

namespace quorvane::platform {

class WindowsInpoutSystem final : public InpoutSystem {
 public:
  // Loads the DLL by name as Windows searches for it; with a folder (ending
  // in a separator), from that folder only.
  explicit WindowsInpoutSystem(std::string folder = {}) : folder_(std::move(folder)) {}
  ~WindowsInpoutSystem() override;
  WindowsInpoutSystem(const WindowsInpoutSystem&) = delete;
  WindowsInpoutSystem& operator=(const WindowsInpoutSystem&) = delete;

  std::uint32_t Load(const std::string& name) override;
  bool Exports(const char* function) override;
  bool IsDriverOpen() override;
  std::uint32_t Out32(std::uint16_t port, std::uint8_t data) override;
  std::string ErrorText(std::uint32_t error) override;

 private:
  // The module handle (HMODULE) is kept as void* so that <windows.h> stays
  // out of this header.
  using Out32Function = void(__stdcall*)(short port, short data);
  using DriverOpenFunction = int(__stdcall*)();

  std::string folder_;
  void* library_ = nullptr;
  Out32Function out32_ = nullptr;
  DriverOpenFunction isDriverOpen_ = nullptr;
};

}  // namespace quorvane::platform
