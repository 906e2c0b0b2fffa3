#pragma once
// The answers of OpenRegularFile that hold no file, in the same words on every
// system.

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files/RegularFile.h"

namespace quorvane::platform {

// Something other than a regular file has the name; kind completes "it is ...".
inline OpenedFile NotAFile(const char* kind) {
  return {nullptr, std::string("it is ") + kind, true};
}

// The open failed with the system's error number.
inline OpenedFile OpenFailed(int error) {
  if (error == ENOENT || error == ENOTDIR) return {nullptr, "it does not exist", false};
  return {nullptr, std::strerror(error), false};
}

}  // namespace quorvane::platform
