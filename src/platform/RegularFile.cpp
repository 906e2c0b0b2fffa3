#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>

#include "platform/TextPath.h"
#endif

namespace quorvane::platform {
namespace {

// kind completes "it is ...".
OpenedFile NotAFile(const char* kind) {
  return {nullptr, std::string("it is ") + kind, true};
}

OpenedFile Failed(int error) {
  if (error == ENOENT || error == ENOTDIR) return {nullptr, "it does not exist", false};
  return {nullptr, std::strerror(error), false};
}

}  // namespace

#ifndef _WIN32

OpenedFile OpenRegularFile(const std::string& path) {
  // O_NONBLOCK makes the open of a pipe without a writer, or of a device,
  // return at once; for a regular file it changes nothing.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return Failed(errno);
  struct stat status = {};
  if (fstat(descriptor, &status) != 0) {
    const int error = errno;
    close(descriptor);
    return Failed(error);
  }
  if (!S_ISREG(status.st_mode)) {
    close(descriptor);
    if (S_ISDIR(status.st_mode)) return NotAFile("a folder");
    if (S_ISFIFO(status.st_mode)) return NotAFile("a named pipe");
    if (S_ISSOCK(status.st_mode)) return NotAFile("a socket");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return NotAFile("a device");
    return NotAFile("not a regular file");
  }
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  FileHandle file(fdopen(descriptor, "rb"));
  if (!file) {
    const int error = errno;
    close(descriptor);
    return Failed(error);
  }
  return {std::move(file), {}, false};
}

#else

// Windows has no named pipes in the file system's folders; the check before
// the open keeps devices such as "CON" out.
OpenedFile OpenRegularFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(PathFromText(path), error);
  if (!std::filesystem::exists(status)) return {nullptr, "it does not exist", false};
  if (std::filesystem::is_directory(status)) return NotAFile("a folder");
  if (!std::filesystem::is_regular_file(status)) return NotAFile("not a regular file");
  FileHandle file(OpenFile(path, "rb"));
  if (!file) return Failed(errno);
  return {std::move(file), {}, false};
}

#endif

}  // namespace quorvane::platform
