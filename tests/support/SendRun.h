#pragma once
// quorvane-send run inside the test process, on stand-ins of the system
// layers: its exit status and what it wrote to standard output and error.

#include <sstream>
#include <string>
#include <vector>

#include "FakePortSystems.h"
#include "RecordingSleeper.h"
#include "TempFolder.h"
#include "cli/SendCommand.h"

namespace quorvane::testing {

struct SendRun {  // what a run gave back
  int status;
  std::string out;
  std::string err;
};

// quorvane-send on stand-ins of every system layer a port opens through, its
// waits recorded, not slept, and a folder of the test's own for its files.
struct SendRig : FakePortSystems {
  SendRig() = default;
  // A rig whose folder a death test's child shares (see TempFolder).
  explicit SendRig(const char* sharedFolderVariable) : folder(sharedFolderVariable) {}

  SendRun Send(const std::vector<std::string>& args, const char* portVariable = nullptr) {
    const platform::PortSystems systems = Systems();
    std::ostringstream out, err;
    const int status =
        cli::RunSend(args, {executableFolder, portVariable, &systems, &sleeper, places}, out, err);
    return {status, out.str(), err.str()};
  }

  TempFolder folder;
  RecordingSleeper sleeper;
  // The program folder when --folder is not given: the shipped data unless
  // changed, or what `places` finds.
  std::string executableFolder = QUORVANE_DATA_DIR;
  const platform::FolderPlaces* places = nullptr;
};

}  // namespace quorvane::testing
