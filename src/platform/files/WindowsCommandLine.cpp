#include <windows.h>

#include <shellapi.h>

#include "platform/files/CommandLine.h"
#include "platform/files/WindowsTextPath.h"

namespace quorvane::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> arguments;
  for (int n = 1; n < count; ++n) arguments.push_back(Utf8FromWide(wide[n]));
  LocalFree(wide);
  return arguments;
}

}  // namespace quorvane::platform
