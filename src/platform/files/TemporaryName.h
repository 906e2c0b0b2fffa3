#pragma once
// The name of the temporary file that takes a file's new contents before it
// takes the file's place (FileReplace.h).

#include <random>
#include <string>

namespace quorvane::platform {

// A name beside the file that no other file has yet.
inline std::string TemporaryName(const std::string& path) {
  std::random_device random;
  return path + ".tmp" + std::to_string(random() % 100000000);
}

}  // namespace quorvane::platform
