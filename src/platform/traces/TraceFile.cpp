#include "platform/traces/TraceFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files/TextPath.h"

namespace quorvane::platform {

TraceFile::TraceFile(const std::string& path) : path_(path), file_(OpenFile(path, "wb")) {
  if (!file_) {
    error_ = "cannot write the trace file '" + path + "': " + std::strerror(errno);
    return;
  }
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

void TraceFile::Write(std::string_view text) {
  if (!file_ || Failed()) return;
  errno = 0;
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), file_.get());
  if (written == text.size()) return;
  const int error = errno != 0 ? errno : EIO;
  failure_ = "the trace file '" + path_ + "' could not be written (" + std::strerror(error) + ")";
  // A disk that fills up in the middle of the text takes part of it: cut the
  // file back to the end of the last whole text. A device such as /dev/full
  // has no size to cut, and takes nothing anyway.
  const long end = std::ftell(file_.get());
  if (written > 0 && end >= static_cast<long>(written)) {
    std::error_code ignored;
    std::filesystem::resize_file(PathFromText(path_), static_cast<std::uintmax_t>(end) - written,
                                 ignored);
  }
}

void TraceFile::BackUp(long length) {
  if (file_ && !Failed() && length != 0) std::fseek(file_.get(), -length, SEEK_END);
}

}  // namespace quorvane::platform
