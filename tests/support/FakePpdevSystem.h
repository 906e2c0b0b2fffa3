#pragma once
// A stand-in for the ppdev system calls: records every call as a line of text
// and answers with the results a test sets.

#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ports/parallel/PpdevSystem.h"

#if defined(__linux__)
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#endif

namespace quorvane::testing {

class FakePpdevSystem final : public platform::PpdevSystem {
 public:
  static constexpr int kFd = 7;

  int Open(const std::string& path) override {
    calls.push_back("open " + path);
    return openResult;
  }
  int Ioctl(int fd, unsigned long request, void* arg) override {
    calls.push_back("ioctl " + std::to_string(fd) + " " + Describe(request, arg));
#if defined(__linux__)
    if (request == PPWDATA || request == PPWCONTROL) {
      if (++registerWrites == failingWrite) return writeError;
      if (onRegisterWrite) onRegisterWrite(registerWrites);
    }
#endif
    const auto result = ioctlResults.find(request);
    return result == ioctlResults.end() ? 0 : result->second;
  }
  void Close(int fd) override {
    calls.push_back("close " + std::to_string(fd));
  }
  bool ModuleLoaded(const std::string& name) override {
    calls.push_back("look for module " + name);
    return loadedModules.contains(name);
  }

  int openResult = kFd;                       // a descriptor, or a negative errno
  std::map<unsigned long, int> ioctlResults;  // request -> negative errno; others succeed
  // The register write (PPWDATA or PPWCONTROL, from 1) that answers
  // writeError, once; 0: none.
  int failingWrite = 0;
  int writeError = -EIO;
  int registerWrites = 0;
  // Runs after each register write that succeeds, with its number (from 1),
  // e.g. to stand for a signal arriving.
  std::function<void(int)> onRegisterWrite;
  std::set<std::string> loadedModules;  // kernel modules loaded (/sys/module/NAME)
  std::vector<std::string> calls;

 private:
  static std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
  }
  // The request by its name, with the value its argument points to.
  static std::string Describe(unsigned long request, void* arg) {
#if defined(__linux__)
    switch (request) {
      case PPEXCL:
        return "PPEXCL";
      case PPCLAIM:
        return "PPCLAIM";
      case PPRELEASE:
        return "PPRELEASE";
      case PPDATADIR:
        return "PPDATADIR " + std::to_string(*static_cast<int*>(arg));
      case PPWDATA:
        return "PPWDATA " + Hex(*static_cast<unsigned char*>(arg));
      case PPWCONTROL:
        return "PPWCONTROL " + Hex(*static_cast<unsigned char*>(arg));
    }
#endif
    return "request " + std::to_string(request) + (arg != nullptr ? " with argument" : "");
  }
};

}  // namespace quorvane::testing
