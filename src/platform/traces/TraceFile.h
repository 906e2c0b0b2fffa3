#pragma once
// The file behind a trace: created anew, written without a buffer so that every
// write is on disk at once, and closed with its owner. The first write that
// fails (a full disk) is latched: nothing more is written, and the file keeps
// what was whole before it.

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
  // Set once a write failed: "the trace file 'x.csv' could not be written (No
  // space left on device)".
  bool Failed() const { return !failure_.empty(); }
  const std::string& Failure() const { return failure_; }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::string path_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::string error_;
  std::string failure_;
};

}  // namespace quorvane::platform
