#include "platform/files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/UnopenedFile.h"

namespace quorvane::platform {

OpenedFile OpenRegularFile(const std::string& path) {
  // O_NONBLOCK makes the open of a pipe without a writer, or of a device,
  // return at once; for a regular file it changes nothing.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return OpenFailed(errno);
  struct stat status = {};
  if (fstat(descriptor, &status) != 0) {
    const int error = errno;
    close(descriptor);
    return OpenFailed(error);
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
    return OpenFailed(error);
  }
  return {std::move(file), {}, false};
}

}  // namespace quorvane::platform
