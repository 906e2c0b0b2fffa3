#include "platform/files/WindowsTextPath.h"

#include <windows.h>

#include "platform/files/TextPath.h"

namespace quorvane::platform {
namespace {

// The wide text of bytes in a code page; false when they are not valid there.
bool Widen(std::string_view text, UINT codePage, DWORD flags, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) == length;
}

}  // namespace

std::filesystem::path PathFromText(std::string_view text) {
  std::wstring wide;
  if (!Widen(text, CP_UTF8, MB_ERR_INVALID_CHARS, wide)) Widen(text, CP_ACP, 0, wide);
  return std::filesystem::path(std::move(wide));
}

std::string TextFromPath(const std::filesystem::path& path) {
  return Utf8FromWide(path.native());
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  }
  return text;
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(PathFromText(name).c_str(), wideMode.c_str());
}

}  // namespace quorvane::platform
