#pragma once
// What the Windows side of the text paths offers besides TextPath.h (Windows
// only).

#include <string>
#include <string_view>

namespace quorvane::platform {

// Text from the system's wide (UTF-16) calls as UTF-8.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace quorvane::platform
