#include "platform/TraceFile.h"

#include <cerrno>
#include <cstring>

namespace quorvane::platform {

TraceFile::TraceFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) {
    error_ = "cannot write the trace file '" + path + "': " + std::strerror(errno);
    return;
  }
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

void TraceFile::Write(std::string_view text) {
  if (file_) std::fwrite(text.data(), 1, text.size(), file_.get());
}

void TraceFile::BackUp(long length) {
  if (file_ && length != 0) std::fseek(file_.get(), -length, SEEK_END);
}

}  // namespace quorvane::platform
