#include "platform/ProgramFolderChoice.h"

#include <cstdlib>
#include <filesystem>

#include "platform/ProgramPath.h"
#include "platform/TextPath.h"

#ifdef _WIN32
#include <io.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

// Where the shipped data folder lies relative to the executable's folder of an
// installed program; the build passes the relative path from its install
// rules (bin to share/quorvane).
#ifndef QUORVANE_DATA_FROM_BIN
#define QUORVANE_DATA_FROM_BIN "../share/quorvane"
#endif

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

std::string WithSeparator(const fs::path& path) {
  return WithFolderSeparator(TextFromPath(path));
}

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

bool Given(const std::optional<std::string>& text) {
  return text.has_value() && !text->empty();
}

bool HoldsStandardEvent(const std::string& folder) {
  std::error_code error;
  return fs::is_regular_file(PathFromText(folder) / "0.evnt", error);
}

}  // namespace

bool IsWritableFolder(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(PathFromText(folder), error)) return false;
#ifdef _WIN32
  return _waccess(PathFromText(folder).c_str(), 2) == 0;
#else
  return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

FolderPlaces ProcessFolderPlaces() {
  FolderPlaces places;
  places.executableFolder = ExecutableFolder();
  places.folderVariable = Variable("QUORVANE_FOLDER");
#ifdef _WIN32
  places.dataHome = Variable("APPDATA");
  places.home = Variable("USERPROFILE");
#else
  places.dataHome = Variable("XDG_DATA_HOME");
  places.home = Variable("HOME");
  if (!Given(places.home)) {
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
      places.home = std::string(user->pw_dir);
    }
  }
#endif
  return places;
}

FolderChoice ChooseProgramFolder(const std::optional<std::string>& folderOption,
                                 const FolderPlaces& places) {
  if (folderOption) return {FolderLayout::FolderOption, WithFolderSeparator(*folderOption), {}};
  if (Given(places.folderVariable)) {
    return {FolderLayout::FolderVariable, WithFolderSeparator(*places.folderVariable), {}};
  }
  const bool shipsEvents = HoldsStandardEvent(places.executableFolder);
  if (shipsEvents && IsWritableFolder(places.executableFolder)) {
    return {FolderLayout::Portable, WithFolderSeparator(places.executableFolder), {}};
  }

  FolderChoice choice{FolderLayout::Installed, {}, {}};
  choice.dataFolder =
      shipsEvents ? WithFolderSeparator(places.executableFolder)
                  : WithSeparator((PathFromText(places.executableFolder) / QUORVANE_DATA_FROM_BIN)
                                      .lexically_normal());
  if (Given(places.dataHome) && PathFromText(*places.dataHome).is_absolute()) {
    choice.folder = WithSeparator(PathFromText(*places.dataHome) / "quorvane");
  } else if (Given(places.home)) {
    choice.folder = WithSeparator(PathFromText(*places.home) / ".local" / "share" / "quorvane");
  }
  return choice;
}

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
            "  (neither XDG_DATA_HOME nor HOME is set).";
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
      "  folder when it holds 0.evnt and is writable, else the user's data folder\n"
      "  $XDG_DATA_HOME/quorvane/ (default ~/.local/share/quorvane/).\n";
  return text;
}

}  // namespace quorvane::platform
