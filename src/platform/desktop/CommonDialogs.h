#pragma once
// The desktop's common open and save dialogs, and the version query of the
// library that provides them, in the shape of the published single-byte calls.

#include <cstdint>

class QWidget;

namespace quorvane::platform {

// Hook procedure of the dialog record; kept for the record's shape, never called here.
using OpenFileNameHook = std::uintptr_t (*)(QWidget*, std::uint32_t, std::uintptr_t, std::intptr_t);

// The published single-byte OPENFILENAME record with portable types. Texts are
// NUL-ended strings in the system's 8-bit encoding (the ANSI code page on
// Windows, UTF-8 on Linux), owned by the caller for the length of one call; a
// null text is absent, which is not the same as an empty one. lpstrFilter holds
// description / pattern pairs, each part ended by a NUL, the list by a second NUL.
struct OpenFileNameRecord {
  std::uint32_t lStructSize = 0;
  QWidget* hwndOwner = nullptr;
  void* hInstance = nullptr;
  const char* lpstrFilter = nullptr;
  char* lpstrCustomFilter = nullptr;
  std::uint32_t nMaxCustFilter = 0;
  std::uint32_t nFilterIndex = 0;  // 1-based; 0 starts on the first file type
  char* lpstrFile = nullptr;       // in: proposed name; out: the chosen path
  std::uint32_t nMaxFile = 0;      // bytes of lpstrFile the dialog may use, NUL included
  char* lpstrFileTitle = nullptr;
  std::uint32_t nMaxFileTitle = 0;
  const char* lpstrInitialDir = nullptr;
  const char* lpstrTitle = nullptr;
  std::uint32_t Flags = 0;
  std::uint16_t nFileOffset = 0;
  std::uint16_t nFileExtension = 0;
  const char* lpstrDefExt = nullptr;
  std::intptr_t lCustData = 0;
  OpenFileNameHook lpfnHook = nullptr;
  const char* lpTemplateName = nullptr;
  void* pvReserved = nullptr;
  std::uint32_t dwReserved = 0;
  std::uint32_t FlagsEx = 0;
};

// lStructSize of the whole record, as the 32-bit platform counts it, and of the
// record without pvReserved, dwReserved and FlagsEx, the only form that
// libraries before major version 5 accept.
inline constexpr std::uint32_t kOpenFileNameSize = 88;
inline constexpr std::uint32_t kOpenFileNameSizeOld = 76;

// Record flags that the desktop's dialogs honour; any other bit passes unused.
inline constexpr std::uint32_t kOfnOverwritePrompt = 0x00000002;
inline constexpr std::uint32_t kOfnFileMustExist = 0x00001000;

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;

  // Both show their dialog modal to record.hwndOwner. True when the user chose a
  // file: lpstrFile then holds its path, ended by a NUL. False on cancel and on
  // every failure, a path that does not fit nMaxFile included.
  virtual bool GetOpenFileNameA(OpenFileNameRecord& record) = 0;
  virtual bool GetSaveFileNameA(OpenFileNameRecord& record) = 0;

  // Byte size of the named library's version information; 0 when it has none.
  virtual std::uint32_t GetFileVersionInfoSizeA(const char* fileName) = 0;
  // Fills data, size bytes long, with the named library's version information.
  virtual bool GetFileVersionInfoA(const char* fileName, std::uint32_t size, void* data) = 0;
  // Finds subBlock ("\\" is the fixed file information) inside version
  // information read by GetFileVersionInfoA; value then points into data and
  // length counts its bytes.
  virtual bool VerQueryValueA(const void* data, const char* subBlock, const void*& value,
                              std::uint32_t& length) = 0;
};

}  // namespace quorvane::platform
