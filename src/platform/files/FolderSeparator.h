#pragma once
// The folder separator of the system the program runs on: a backslash on
// Windows, '/' elsewhere, as the standard library knows it. A folder's path in
// the program's texts may end in either one.

#include <filesystem>
#include <string>

namespace quorvane::platform {

inline constexpr char kFolderSeparator =
    static_cast<char>(std::filesystem::path::preferred_separator);

// The folder's path ending in the folder separator ('/' or a backslash counts).
std::string WithFolderSeparator(const std::string& folder);

}  // namespace quorvane::platform
