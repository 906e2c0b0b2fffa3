#pragma once
// The file behind a trace: created anew, written without a buffer so that every
// write is on disk at once, and closed with its owner.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane::platform {

class TraceFile {
 public:
  // A file that cannot be created leaves Ok() false and Error() saying why.
  explicit TraceFile(const std::string& path);
  bool Ok() const { return file_ != nullptr; }
  const std::string& Error() const { return error_; }
  // One write call: the file never holds half of the text.
  void Write(std::string_view text);
  // Moves the write position back over the last `length` bytes.
  void BackUp(long length);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string error_;
};

}  // namespace quorvane::platform
