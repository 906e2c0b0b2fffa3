#include "platform/files/FolderSeparator.h"

namespace quorvane::platform {

std::string WithFolderSeparator(const std::string& folder) {
  std::string text = folder;
  if (text.empty() || (text.back() != '/' && text.back() != '\\')) text += kFolderSeparator;
  return text;
}

}  // namespace quorvane::platform
