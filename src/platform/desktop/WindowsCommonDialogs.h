#pragma once
// The common dialogs of comdlg32 and the version of comdlg32 itself, read by
// the version library: the single-byte calls, with the program's record
// turned into this platform's own.

#include <windows.h>

#include <commdlg.h>

#include "platform/desktop/CommonDialogs.h"

namespace quorvane::platform {

// The platform's record filled from the program's. lStructSize 88 (the whole
// record, as the 32-bit platform counts it) gives this platform's whole
// record, 76 the record without pvReserved, dwReserved and FlagsEx; any other
// size is passed as it is, and the dialog refuses it.
OPENFILENAMEA ToPlatformRecord(const OpenFileNameRecord& record);

class WindowsCommonDialogs final : public CommonDialogs {
 public:
  bool GetOpenFileNameA(OpenFileNameRecord& record) override;
  bool GetSaveFileNameA(OpenFileNameRecord& record) override;
  std::uint32_t GetFileVersionInfoSizeA(const char* fileName) override;
  bool GetFileVersionInfoA(const char* fileName, std::uint32_t size, void* data) override;
  bool VerQueryValueA(const void* data, const char* subBlock, const void*& value,
                      std::uint32_t& length) override;
};

}  // namespace quorvane::platform
