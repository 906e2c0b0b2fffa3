#pragma once
// File and folder names as the program keeps them: UTF-8 text, as the windows
// show it. On Windows a narrow name given to the C library is read in the
// system's ANSI code page, and MinGW's std::filesystem takes a narrow name
// byte by byte but gives names back in UTF-8, so a name outside ASCII would
// not lead back to the same file. Every name goes through these instead; on
// other systems they pass the bytes on unchanged.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane::platform {

// The path that the text names. On Windows a text that is not UTF-8 is read
// in the ANSI code page, as command-line arguments and environment values
// come there.
std::filesystem::path PathFromText(std::string_view text);

// The path as the program's text (UTF-8 on Windows).
std::string TextFromPath(const std::filesystem::path& path);

// std::fopen of the file that the text names.
std::FILE* OpenFile(const std::string& name, const char* mode);

}  // namespace quorvane::platform
