#include "platform/ports/parallel/LinuxParallelDevices.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace quorvane::platform {

std::vector<std::string> LinuxParallelDevices() {
  std::vector<std::pair<unsigned long, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("parport") || name.size() == 7) continue;
    const std::string number = name.substr(7);
    if (number.find_first_not_of("0123456789") != std::string::npos) continue;
    found.emplace_back(std::stoul(number), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> devices;
  for (auto& [number, path] : found) devices.push_back(std::move(path));
  return devices;
}

}  // namespace quorvane::platform
