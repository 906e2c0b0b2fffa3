#pragma once
// The calls of the inpout32 driver DLL that the inpout32 backend makes, behind
// an interface so that its logic runs against a stand-in on any system. The
// DLL's header declares them as
//   void _stdcall Out32(short PortAddress, short data);
//   BOOL _stdcall IsInpOutDriverOpen();  // TRUE if the driver was opened
// The DLL opens its kernel driver when it is loaded, and installs it first
// when the program runs as administrator; Out32 drops the driver's answer.

#include <cstdint>
#include <string>

namespace quorvane::platform {

class InpoutSystem {
 public:
  virtual ~InpoutSystem() = default;
  // Loads the DLL by its file name, found as Windows finds DLLs (the
  // program's folder first); 0, or the system's error code (GetLastError).
  virtual std::uint32_t Load(const std::string& name) = 0;
  // Whether the loaded DLL exports the function.
  virtual bool Exports(const char* function) = 0;
  // IsInpOutDriverOpen() of the loaded DLL.
  virtual bool IsDriverOpen() = 0;
  // Out32(port, data) of the loaded DLL; the thread's last error after it, 0
  // for none.
  virtual std::uint32_t Out32(std::uint16_t port, std::uint8_t data) = 0;
  // The system's words for an error code, as FormatMessage gives them.
  virtual std::string ErrorText(std::uint32_t error) = 0;
};

}  // namespace quorvane::platform
