#pragma once
// Which folder is the program folder, and why. Two layouts: a portable one (a
// build tree, an unpacked archive), where the executable's own folder holds
// "0.evnt" and is writable, and an installed one, where the executable lives
// in a system folder and the user's data folder takes its place. --folder and
// QUORVANE_FOLDER choose the folder outright. Choosing reads the disk but
// changes nothing; PrepareProgramFolder (UserFolder.h) makes the choice real.

#include <optional>
#include <string>

namespace quorvane::platform {

// What the choice looks at besides --folder. The programs take them from the
// process (ProcessFolderPlaces); tests hand in their own.
struct FolderPlaces {
  std::string executableFolder;               // ends in the folder separator
  std::optional<std::string> folderVariable;  // QUORVANE_FOLDER
  std::optional<std::string> dataHome;        // XDG_DATA_HOME
  std::optional<std::string> home;            // HOME
};

// The executable's folder and the environment of this process.
FolderPlaces ProcessFolderPlaces();

enum class FolderLayout {
  FolderOption,    // --folder DIR
  FolderVariable,  // QUORVANE_FOLDER
  Portable,        // the executable's folder
  Installed,       // the user's data folder, filled from the shipped data folder
};

struct FolderChoice {
  FolderLayout layout = FolderLayout::Portable;
  // The program folder, ending in the folder separator. Installed without a
  // known home folder: empty.
  std::string folder;
  // Installed: where the shipped standard events and pictures are, ending in
  // the separator: the executable's folder when it holds "0.evnt" (a portable
  // folder that cannot be written), else <prefix>/share/quorvane/.
  std::string dataFolder;
};

// The first that applies: --folder, QUORVANE_FOLDER (when not empty), the
// executable's folder when it holds "0.evnt" and is writable, else the user's
// data folder: $XDG_DATA_HOME/quorvane/ (an absolute XDG_DATA_HOME only, as
// the XDG base directory rules say), else $HOME/.local/share/quorvane/.
FolderChoice ChooseProgramFolder(const std::optional<std::string>& folderOption,
                                 const FolderPlaces& places);

// True when the folder exists and this process may create files in it.
bool IsWritableFolder(const std::string& folder);

}  // namespace quorvane::platform
