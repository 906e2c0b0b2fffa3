#include "platform/folders/UserFolder.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "platform/ProcessId.h"
#include "platform/files/TextPath.h"
#include "platform/folders/ProgramFolderPlatform.h"

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

const fs::path kPictureFolder = "images";

// The shipped files, relative to the data folder: the standard events beside
// each other and the demo picture series in "images".
std::vector<fs::path> ShippedFiles(const fs::path& dataFolder) {
  std::vector<fs::path> files;
  for (const fs::path& folder : {fs::path(), kPictureFolder}) {
    std::error_code error;
    for (fs::directory_iterator entry(dataFolder / folder, error), end; !error && entry != end;
         entry.increment(error)) {
      std::error_code ignored;
      if (!entry->is_regular_file(ignored)) continue;
      const fs::path name = entry->path().filename();
      if (folder.empty() && name.extension() != ".evnt") continue;
      files.push_back(folder / name);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Copies source to target when target does not exist: first under a name of
// its own beside target, then linked into place. A link never replaces a
// file, so whoever comes first wins and the file is whole from its first
// moment. Returns the reason of a failure, empty on success.
std::string CopyWhenMissing(const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(target, error))) return {};
  static thread_local std::mt19937 random{std::random_device{}()};
  fs::path temporary = target;
  temporary += ".tmp" + std::to_string(ProcessId()) + "-" + std::to_string(random() % 1000000000);
  fs::copy_file(source, temporary, fs::copy_options::none, error);
  if (!error) {
    // The user's copy is theirs to change, whatever the shipped file's mode.
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add, error);
  }
  if (!error) {
    fs::create_hard_link(temporary, target, error);
    if (error == std::errc::file_exists) {
      error.clear();  // another program was first; its copy stays
    } else if (error) {
      // A file system without hard links: rename, which would replace, so
      // only while the file is still missing.
      error.clear();
      if (!fs::exists(fs::symlink_status(target, error))) fs::rename(temporary, target, error);
    }
  }
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return error ? error.message() : std::string();
}

// The folder without its closing separator: "dir/" of a plain file is no
// file at all to the system, which would hide that the name is taken.
fs::path Bare(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return PathFromText(folder);
}

}  // namespace

std::string FillUserFolder(const std::string& userFolder, const std::string& dataFolder) {
  const fs::path user = PathFromText(userFolder);
  const fs::path data = PathFromText(dataFolder);
  for (const fs::path& file : ShippedFiles(data)) {
    std::error_code error;
    if (file.has_parent_path()) fs::create_directories(user / file.parent_path(), error);
    std::string failure = error ? error.message() : std::string();
    if (failure.empty()) failure = CopyWhenMissing(data / file, user / file);
    if (!failure.empty()) return file.generic_string() + ": " + failure;
  }
  return {};
}

PreparedFolder PrepareProgramFolder(const FolderChoice& choice) {
  if (choice.layout != FolderLayout::Installed) return {choice.folder, {}};
  const std::string readOnly =
      "; the program goes on with the installed data folder " + choice.dataFolder + ", read-only.";
  if (choice.folder.empty()) {
    return {choice.dataFolder,
            "No user's data folder is known (neither " + std::string(kDataHomeVariable) + " nor " +
                kHomeVariable + " is set)" + readOnly};
  }
  const std::string user = "The user folder " + choice.folder;
  std::error_code error;
  const bool shipped = fs::is_directory(PathFromText(choice.dataFolder), error);
  const std::string missingData = "the installed data folder " + choice.dataFolder + " is missing";
  // Without the shipped data there is nothing better than the user folder.
  const auto unusable = [&](const std::string& problem) -> PreparedFolder {
    if (!shipped) return {choice.folder, user + problem + ", and " + missingData + "."};
    return {choice.dataFolder, user + problem + readOnly};
  };

  const fs::path userFolder = Bare(choice.folder);
  if (fs::exists(userFolder, error) && !fs::is_directory(userFolder, error)) {
    return unusable(" is not a folder");
  }
  fs::create_directories(userFolder, error);
  if (error) return unusable(" cannot be created (" + error.message() + ")");
  if (!shipped) {
    return {choice.folder, "The installed data folder " + choice.dataFolder +
                               " is missing, so the user folder " + choice.folder +
                               " was not given the standard events and pictures."};
  }
  if (const std::string failure = FillUserFolder(choice.folder, choice.dataFolder);
      !failure.empty()) {
    return unusable(" cannot be filled (" + failure + ")");
  }
  if (!IsWritableFolder(choice.folder)) {
    return {choice.folder, user + " is not writable: events cannot be saved there."};
  }
  return {choice.folder, {}};
}

}  // namespace quorvane::platform
