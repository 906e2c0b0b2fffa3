#pragma once
// quorvane-send run inside the test process: its exit status and what it wrote
// to standard output and standard error.

#include <sstream>
#include <string>
#include <vector>

#include "cli/SendCommand.h"

namespace quorvane::testing {

struct SendRun {
  int status;
  std::string out;
  std::string err;
};

inline SendRun RunSendCaptured(const std::vector<std::string>& args,
                               const cli::SendEnvironment& environment) {
  std::ostringstream out, err;
  const int status = cli::RunSend(args, environment, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace quorvane::testing
