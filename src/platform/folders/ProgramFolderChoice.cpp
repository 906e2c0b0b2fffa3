#include "platform/folders/ProgramFolderChoice.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/files/FolderSeparator.h"
#include "platform/files/TextPath.h"
#include "platform/folders/ProgramFolderPlatform.h"
#include "platform/folders/ProgramPath.h"

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
  return MayCreateFilesIn(folder);
}

FolderPlaces ProcessFolderPlaces() {
  FolderPlaces places;
  places.executableFolder = ExecutableFolder();
  places.folderVariable = Variable("QUORVANE_FOLDER");
  places.dataHome = Variable(kDataHomeVariable);
  places.home = Variable(kHomeVariable);
  if (!Given(places.home)) {
    if (std::optional<std::string> home = AccountHome()) places.home = std::move(home);
  }
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

}  // namespace quorvane::platform
