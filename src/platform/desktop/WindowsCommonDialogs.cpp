#include "platform/desktop/WindowsCommonDialogs.h"

#include <QWidget>

namespace quorvane::platform {
namespace {

DWORD PlatformSize(std::uint32_t size) {
  if (size == kOpenFileNameSize) return sizeof(OPENFILENAMEA);
  if (size == kOpenFileNameSizeOld) return OPENFILENAME_SIZE_VERSION_400A;
  return size;
}

// What the dialog gives back besides the file buffer, which it fills in place.
void TakeBack(const OPENFILENAMEA& from, OpenFileNameRecord& record) {
  record.nFilterIndex = from.nFilterIndex;
  record.nFileOffset = from.nFileOffset;
  record.nFileExtension = from.nFileExtension;
}

}  // namespace

OPENFILENAMEA ToPlatformRecord(const OpenFileNameRecord& record) {
  OPENFILENAMEA ofn{};
  ofn.lStructSize = PlatformSize(record.lStructSize);
  ofn.hwndOwner = record.hwndOwner != nullptr
                      ? reinterpret_cast<HWND>(record.hwndOwner->window()->winId())
                      : nullptr;
  ofn.lpstrFilter = record.lpstrFilter;
  ofn.lpstrCustomFilter = record.lpstrCustomFilter;
  ofn.nMaxCustFilter = record.nMaxCustFilter;
  ofn.nFilterIndex = record.nFilterIndex;
  ofn.lpstrFile = record.lpstrFile;
  ofn.nMaxFile = record.nMaxFile;
  ofn.lpstrFileTitle = record.lpstrFileTitle;
  ofn.nMaxFileTitle = record.nMaxFileTitle;
  ofn.lpstrInitialDir = record.lpstrInitialDir;
  ofn.lpstrTitle = record.lpstrTitle;
  ofn.Flags = record.Flags;
  ofn.lpstrDefExt = record.lpstrDefExt;
  ofn.lCustData = record.lCustData;
  ofn.lpTemplateName = record.lpTemplateName;
  // No hook: the program passes none, and a hook of its record's shape is
  // not this platform's.
  ofn.pvReserved = record.pvReserved;
  ofn.dwReserved = record.dwReserved;
  ofn.FlagsEx = record.FlagsEx;
  return ofn;
}

bool WindowsCommonDialogs::GetOpenFileNameA(OpenFileNameRecord& record) {
  OPENFILENAMEA ofn = ToPlatformRecord(record);
  const bool chosen = ::GetOpenFileNameA(&ofn) != 0;
  TakeBack(ofn, record);
  return chosen;
}

bool WindowsCommonDialogs::GetSaveFileNameA(OpenFileNameRecord& record) {
  OPENFILENAMEA ofn = ToPlatformRecord(record);
  const bool chosen = ::GetSaveFileNameA(&ofn) != 0;
  TakeBack(ofn, record);
  return chosen;
}

std::uint32_t WindowsCommonDialogs::GetFileVersionInfoSizeA(const char* fileName) {
  DWORD ignored = 0;
  return ::GetFileVersionInfoSizeA(fileName, &ignored);
}

bool WindowsCommonDialogs::GetFileVersionInfoA(const char* fileName, std::uint32_t size,
                                               void* data) {
  return ::GetFileVersionInfoA(fileName, 0, size, data) != 0;
}

bool WindowsCommonDialogs::VerQueryValueA(const void* data, const char* subBlock,
                                          const void*& value, std::uint32_t& length) {
  void* found = nullptr;
  UINT bytes = 0;
  if (::VerQueryValueA(data, subBlock, &found, &bytes) == 0) return false;
  value = found;
  length = bytes;
  return true;
}

}  // namespace quorvane::platform
