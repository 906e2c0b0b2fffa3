#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "platform/files/TextPath.h"

namespace quorvane::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("quorvane-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as the program keeps it: UTF-8 text ending in a folder separator.
  std::string Folder() const { return platform::TextFromPath(path_) + "/"; }
  std::string File(std::string_view name) const {
    return platform::TextFromPath(path_ / platform::PathFromText(name));
  }

  // Writes the bytes exactly as given (no line-end translation).
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    std::ofstream(platform::PathFromText(path), std::ios::binary) << bytes;
    return path;
  }
  std::string Read(std::string_view name) const {
    std::ifstream in(platform::PathFromText(File(name)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path path_;
};

}  // namespace quorvane::testing
