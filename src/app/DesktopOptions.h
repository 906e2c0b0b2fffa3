#pragma once
// The command line of the desktop program.

#include <optional>
#include <string>
#include <vector>

namespace quorvane::app {

struct DesktopOptions {
  std::optional<std::string> port;
  std::optional<std::string> folder;
  std::optional<std::string> trace;
  std::optional<std::string> screenshot;
  std::optional<std::string> moduleScreenshot;
  bool help = false;
  std::string error;
};

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& args);
std::string DesktopUsage();

}  // namespace quorvane::app
