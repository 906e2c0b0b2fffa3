#pragma once
// quorvane-send as a function: parses the command line, opens the port and runs
// the actions, printing what it did. main() only hands in the real world.

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvane::platform {
class Sleeper;
struct FolderPlaces;
struct PortSystems;
}  // namespace quorvane::platform

namespace quorvane::cli {

struct SendEnvironment {
  std::string executableFolder;          // the default program folder
  const char* portVariable = nullptr;    // value of QUORVANE_PORT, if set
  const platform::PortSystems* systems;  // the system calls behind the hardware backends
  platform::Sleeper* sleeper;            // real waits (virtual time replaces it)
  // Where the program folder is looked for without --folder (QUORVANE_FOLDER,
  // the layout, the user's data folder); when not given, executableFolder is
  // the program folder, as in a portable layout.
  const platform::FolderPlaces* folderPlaces = nullptr;
};

// Returns the exit status: 0 everything ran, 1 something was reported or the
// port could not be opened, 2 usage error or refused list.
int RunSend(const std::vector<std::string>& args, const SendEnvironment& environment,
            std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
