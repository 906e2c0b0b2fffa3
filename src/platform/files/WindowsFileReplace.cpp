#include "platform/files/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/files/TemporaryName.h"
#include "platform/files/TextPath.h"

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

std::optional<WriteFailure> ReplaceByRename(const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryName(path);
  std::FILE* file = OpenFile(temporary, "wb");
  if (file == nullptr) return WriteFailure{std::strerror(errno)};
  int error = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0) {
    error = errno;
  }
  if (std::fclose(file) != 0 && error == 0) error = errno;
  std::error_code renameError;
  if (error == 0) {
    fs::rename(PathFromText(temporary), PathFromText(path), renameError);
  }
  if (error == 0 && !renameError) return std::nullopt;
  std::error_code ignored;
  fs::remove(PathFromText(temporary), ignored);
  return WriteFailure{error != 0 ? std::strerror(error) : renameError.message()};
}

}  // namespace

std::optional<WriteFailure> ReplaceFileContents(const std::string& path, std::string_view bytes) {
  return ReplaceByRename(path, bytes);
}

}  // namespace quorvane::platform
