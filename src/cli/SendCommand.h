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
  // Real waits (virtual time replaces them): `sleeper` for the waits between
  // two bytes, which a stop ends early (by throwing StopRequest);
  // `wholeSleeper` for the waits inside a byte or a sequence, which last
  // their time whatever comes (`sleeper` when not given).
  platform::Sleeper* sleeper;
  // Where the program folder is looked for without --folder (QUORVANE_FOLDER,
  // the layout, the user's data folder); when not given, executableFolder is
  // the program folder, as in a portable layout.
  const platform::FolderPlaces* folderPlaces = nullptr;
  platform::Sleeper* wholeSleeper = nullptr;
};

// Returns the exit status: 0 everything ran, 1 something was reported or the
// port could not be opened, 2 usage error or refused list, 128 + the signal's
// number when a stop signal ended the run (SendStop.h).
int RunSend(const std::vector<std::string>& args, const SendEnvironment& environment,
            std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
