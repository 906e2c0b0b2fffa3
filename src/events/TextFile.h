#pragma once
// Text files as the program keeps them: a single-byte encoding (Latin-1) on
// disk, UTF-8 in memory, every line ended by CR LF. Reading also takes lines
// ended by LF alone or CR alone, so files edited elsewhere read the same, and a
// file that begins with the UTF-8 byte-order mark (as many editors save) is
// read as UTF-8 without the mark.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events/FileReplace.h"
#include "platform/RegularFile.h"

namespace quorvane::events {

std::string Latin1ToUtf8(std::string_view latin1);
// Characters outside Latin-1 become '?'.
std::string Utf8ToLatin1(std::string_view utf8);
// Text that should be UTF-8: every valid sequence is kept, every byte that is
// not part of one is taken as a Latin-1 character, so the result is valid UTF-8.
std::string Utf8OrLatin1(std::string_view bytes);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// True when the file at path begins with the UTF-8 byte-order mark: it is
// read, and written again, as UTF-8.
bool BeginsWithByteOrderMark(const std::string& path);

// Reads a file line by line, each line without its line end, in UTF-8. Only a
// regular file is opened, and opening never waits (see platform::OpenRegularFile).
class TextLineReader {
 public:
  explicit TextLineReader(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // Why the file could not be opened; empty when it was.
  const std::string& OpenProblem() const { return problem_; }
  // The name is taken by a folder, a pipe or a device: no text file at all.
  bool NotAFile() const { return notAFile_; }
  // The next line, or nothing at the end of the file (or on a read error). A
  // file that ends with a line end has no empty line after it.
  std::optional<std::string> NextLine();
  // True when the file could not be read to the end.
  bool Failed() const { return failed_; }

 private:
  // The next byte, or -1 at the end of the file or on a read error.
  int NextByte();
  int PeekByte();

  platform::FileHandle file_;
  std::string problem_;
  bool notAFile_ = false;
  bool utf8_ = false;
  bool failed_ = false;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
};

// Writes the lines, each ended by CR LF, in Latin-1, whole or not at all, as
// ReplaceFileContents does. A file that began with the UTF-8 byte-order mark
// stays UTF-8 with its mark, so that saving it again loses no character
// outside Latin-1. On failure the result says why and whether the old file is
// whole.
std::optional<WriteFailure> WriteTextLinesAtomically(const std::string& path,
                                                     const std::vector<std::string>& lines);

}  // namespace quorvane::events
