#pragma once
// Replaces the contents of a file whole or not at all. The bytes go to a
// temporary file beside the file, are flushed to the disk, and the temporary
// file is renamed over the old one. The file keeps its permission bits (and
// its owner and group where the user may keep them); a symbolic link is
// followed, so its target gets the new bytes and the link stays a link.
// Where the folder refuses a new file but the file itself is writable, the
// bytes are written into the file in place, flushed as well; should that
// fail, the old bytes are written back.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::platform {

struct WriteFailure {
  std::string reason;  // in the system's words, e.g. "Permission denied"
  // False only when a write in place failed and the old bytes could not be
  // put back: the file is then damaged.
  bool oldContentKept = true;
};

std::optional<WriteFailure> ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace quorvane::platform
