#include "platform/ports/parallel/LinuxPpdevSystem.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace quorvane::platform {

int LinuxPpdevSystem::Open(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? -errno : fd;
}

int LinuxPpdevSystem::Ioctl(int fd, unsigned long request, void* arg) {
  int result;
  do {
    result = ::ioctl(fd, request, arg);
  } while (result < 0 && errno == EINTR);
  return result < 0 ? -errno : 0;
}

void LinuxPpdevSystem::Close(int fd) {
  ::close(fd);
}

bool LinuxPpdevSystem::ModuleLoaded(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists("/sys/module/" + name, error);
}

}  // namespace quorvane::platform
