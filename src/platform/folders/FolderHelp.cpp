#include "platform/folders/FolderHelp.h"

#include "platform/folders/ProgramFolderPlatform.h"

namespace quorvane::platform {

std::string FolderHelp(const FolderChoice& choice) {
  std::string text = "\nProgram folder (the event files and images/lcd_N.bmp): ";
  text += choice.folder.empty() ? choice.dataFolder : choice.folder;
  text += "\n  ";
  switch (choice.layout) {
    case FolderLayout::FolderOption:
      text += "given by --folder.";
      break;
    case FolderLayout::FolderVariable:
      text += "given by the environment variable QUORVANE_FOLDER.";
      break;
    case FolderLayout::Portable:
      text +=
          "the program's own folder, which holds 0.evnt and is writable\n  (a portable layout).";
      break;
    case FolderLayout::Installed:
      if (choice.folder.empty()) {
        text +=
            "the installed data folder, read-only: no user's data folder is known\n"
            "  (neither " +
            std::string(kDataHomeVariable) + " nor " + kHomeVariable + " is set).";
      } else {
        text +=
            "the user's data folder, as the program is installed; it is created on\n"
            "  first use, and at each start the shipped files it lacks are copied from\n  " +
            choice.dataFolder + " (a file already there is never overwritten).";
      }
      break;
  }
  text +=
      "\n  The first that applies: --folder DIR, $QUORVANE_FOLDER, the program's own\n"
      "  folder when it holds 0.evnt and is writable, else the user's data folder\n  " +
      std::string(kUserFolderHelp) + ".\n";
  return text;
}

}  // namespace quorvane::platform
