#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "platform/files/FolderSeparator.h"
#include "platform/files/TextPath.h"

namespace quorvane::testing {

class TempFolder {
 public:
  TempFolder() : path_(Fresh()) {}
  // A folder that a death test's child process shares with its parent. On
  // Windows the child is the test program started again, whose fixture would
  // make a folder of its own; the parent names its folder in the environment
  // variable, which the child inherits, and the child takes it from there.
  explicit TempFolder(const char* sharedVariable) : shared_(sharedVariable) {
    if (const char* parents = std::getenv(sharedVariable); parents != nullptr && *parents != 0) {
      path_ = platform::PathFromText(parents);
      owned_ = false;
      return;
    }
    path_ = Fresh();
    SetVariable(sharedVariable, platform::TextFromPath(path_));
  }
  ~TempFolder() {
    if (!owned_) return;
    if (shared_ != nullptr) SetVariable(shared_, "");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as the program keeps it: UTF-8 text ending in the system's
  // folder separator.
  std::string Folder() const { return platform::TextFromPath(path_) + platform::kFolderSeparator; }
  // A file or folder in it, named with the system's separators throughout, as
  // the program's messages name it.
  std::string File(std::string_view name) const {
    return platform::TextFromPath((path_ / platform::PathFromText(name)).make_preferred());
  }
  // A folder in it, as the program keeps folders: ending in the separator.
  std::string FolderIn(std::string_view name) const {
    return File(name) + platform::kFolderSeparator;
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
  static std::filesystem::path Fresh() {
    std::random_device random;
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quorvane-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path);
    return path;
  }
  // Sets the variable, or removes it when the value is empty.
  static void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    if (value.empty()) {
      unsetenv(name);
    } else {
      setenv(name, value.c_str(), 1);
    }
#endif
  }

  std::filesystem::path path_;
  const char* shared_ = nullptr;
  bool owned_ = true;
};

}  // namespace quorvane::testing
