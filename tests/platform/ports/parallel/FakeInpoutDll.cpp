// A stand-in for the inpout32 driver DLL, built as inpoutx64.dll for the
// Windows tests: the DLL's two functions with its calling convention and
// names, plus two of its own through which the test sets the driver's state
// and reads back the writes.

#include <windows.h>

namespace {

constexpr int kMostWrites = 64;
short writtenPorts[kMostWrites];
short writtenData[kMostWrites];
int writes = 0;
BOOL driverOpen = TRUE;

}  // namespace

extern "C" {

__declspec(dllexport) void __stdcall Out32(short PortAddress, short data) {
  if (writes < kMostWrites) {
    writtenPorts[writes] = PortAddress;
    writtenData[writes] = data;
    ++writes;
  }
  // A driver that is not open refuses the call, as DeviceIoControl would.
  if (!driverOpen) SetLastError(ERROR_INVALID_HANDLE);
}

__declspec(dllexport) BOOL __stdcall IsInpOutDriverOpen() {
  return driverOpen;
}

__declspec(dllexport) void __stdcall FakeSetDriverOpen(BOOL open) {
  driverOpen = open;
}

// Copies the writes as port * 256 + data, at most `most`; gives their number.
__declspec(dllexport) int __stdcall FakeWrites(int* into, int most) {
  for (int i = 0; i < writes && i < most; ++i) {
    into[i] = writtenPorts[i] * 256 + (writtenData[i] & 0xFF);
  }
  return writes;
}

}  // extern "C"
