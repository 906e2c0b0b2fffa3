#pragma once
// A test's program folder filled as the build fills the program's own: copies
// of the shipped standard events, and of the demo picture series when asked.
// Copies replace what is there: a death test's child fills its parent's folder
// again.

#include <filesystem>
#include <initializer_list>

#include "TempFolder.h"

namespace quorvane::testing {

inline constexpr auto kReplace = std::filesystem::copy_options::overwrite_existing;

inline void CopyStandardEvents(const TempFolder& folder,
                               std::initializer_list<const char*> names = {"0.evnt", "1.evnt",
                                                                           "2.evnt"}) {
  for (const char* name : names) {
    std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name,
                               folder.Path() / name, kReplace);
  }
}

// The whole series, or the pictures named ("lcd_0.bmp").
inline void CopyDemoPictures(const TempFolder& folder,
                             std::initializer_list<const char*> names = {}) {
  const std::filesystem::path shipped = std::filesystem::path(QUORVANE_DATA_DIR) / "images";
  if (names.size() == 0) {
    // Without `recursive` (or no option at all) a folder's copy is empty.
    std::filesystem::copy(shipped, folder.Path() / "images",
                          kReplace | std::filesystem::copy_options::recursive);
    return;
  }
  std::filesystem::create_directories(folder.Path() / "images");
  for (const char* name : names) {
    std::filesystem::copy_file(shipped / name, folder.Path() / "images" / name, kReplace);
  }
}

}  // namespace quorvane::testing
