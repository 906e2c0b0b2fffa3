#include "platform/files/CommandLine.h"

namespace quorvane::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  // The bytes as given: file names are UTF-8 on the systems the program runs on.
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace quorvane::platform
