#include "platform/files/TextPath.h"

namespace quorvane::platform {

// The system takes names as bytes: they pass on unchanged.

std::filesystem::path PathFromText(std::string_view text) {
  return std::filesystem::path(text);
}

std::string TextFromPath(const std::filesystem::path& path) {
  return path.string();
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return std::fopen(name.c_str(), mode);
}

}  // namespace quorvane::platform
