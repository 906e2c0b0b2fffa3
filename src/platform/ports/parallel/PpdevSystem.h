#pragma once
// The Linux system calls the ppdev backend makes, behind an interface so that
// the backend's logic runs against a stand-in where there is no parallel port.

#include <string>

namespace quorvane::platform {

class PpdevSystem {
 public:
  virtual ~PpdevSystem() = default;
  // open(path, O_RDWR | O_CLOEXEC): the file descriptor, or the negative errno.
  virtual int Open(const std::string& path) = 0;
  // ioctl(fd, request, arg): 0, or the negative errno.
  virtual int Ioctl(int fd, unsigned long request, void* arg) = 0;
  virtual void Close(int fd) = 0;
  // Whether the kernel module `name` is loaded (/sys/module/NAME exists).
  virtual bool ModuleLoaded(const std::string& name) = 0;
  // The device that has the port behind the device file claimed, as
  // /proc/sys/dev/parport/parportN/devices/active names it ("lp", "ppdev0"),
  // or "none"; empty when that cannot be read.
  virtual std::string ActiveDevice(const std::string& path) = 0;
};

}  // namespace quorvane::platform
