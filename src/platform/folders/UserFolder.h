#pragma once
// The program folder made ready for use. An installed program's folder is the
// user's data folder: created on first use and given each shipped standard
// event and demo picture that it lacks. Each file is copied under a temporary
// name and linked into place, so a second program starting at the same moment
// never sees a half-copied file, and a file already there (the user's own
// version, or the other program's copy) is never replaced.

#include <string>

#include "platform/folders/ProgramFolderChoice.h"

namespace quorvane::platform {

struct PreparedFolder {
  std::string folder;  // the program folder to use, ending in the folder separator
  // One message for the user, naming the folder, when the chosen folder could
  // not be made ready (the installed data folder is used instead, read-only)
  // or is limited; empty when all is well.
  std::string notice;
};

// --folder, QUORVANE_FOLDER and the portable layout are used as they are. The
// user's data folder is created and filled; when that fails the program goes
// on with the installed data folder.
PreparedFolder PrepareProgramFolder(const FolderChoice& choice);

// Copies the shipped files of dataFolder (its "*.evnt" files and the files of
// its "images" folder) that userFolder lacks. Returns the first failure,
// naming the file and the reason; empty when every file is there.
std::string FillUserFolder(const std::string& userFolder, const std::string& dataFolder);

}  // namespace quorvane::platform
