#include "platform/files/RegularFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/files/TextPath.h"
#include "platform/files/UnopenedFile.h"

namespace quorvane::platform {

// Windows has no named pipes in the file system's folders; the check before
// the open keeps devices such as "CON" out.
OpenedFile OpenRegularFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(PathFromText(path), error);
  if (!std::filesystem::exists(status)) return {nullptr, "it does not exist", false};
  if (std::filesystem::is_directory(status)) return NotAFile("a folder");
  if (!std::filesystem::is_regular_file(status)) return NotAFile("not a regular file");
  FileHandle file(OpenFile(path, "rb"));
  if (!file) return OpenFailed(errno);
  return {std::move(file), {}, false};
}

}  // namespace quorvane::platform
