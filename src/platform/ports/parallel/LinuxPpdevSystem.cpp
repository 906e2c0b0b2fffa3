#include "platform/ports/parallel/LinuxPpdevSystem.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
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
  // A claim that sleeps while another device holds the port ends with EINTR
  // when a signal comes (parport_claim_or_block): that ends the opening rather
  // than sleeping again.
  do {
    result = ::ioctl(fd, request, arg);
  } while (result < 0 && errno == EINTR && request != PPCLAIM);
  return result < 0 ? -errno : 0;
}

void LinuxPpdevSystem::Close(int fd) {
  ::close(fd);
}

bool LinuxPpdevSystem::ModuleLoaded(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists("/sys/module/" + name, error);
}

std::string LinuxPpdevSystem::ActiveDevice(const std::string& path) {
  // ppdev's minor number is the port's number, and the parport layer names
  // the port parportN (drivers/char/ppdev.c, pp_attach; the sysctl table of
  // drivers/parport/procfs.c).
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return {};
  std::ifstream file("/proc/sys/dev/parport/parport" + std::to_string(minor(info.st_rdev)) +
                     "/devices/active");
  std::string name;
  if (!std::getline(file, name)) return {};
  return name;
}

}  // namespace quorvane::platform
