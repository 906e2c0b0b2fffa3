#pragma once
// Text files as the program keeps them: a single-byte encoding (Latin-1) on
// disk, UTF-8 in memory, every line ended by CR LF. Reading also takes lines
// ended by LF alone or CR alone, so files edited elsewhere read the same.

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events/FileReplace.h"

namespace quorvane::events {

std::string Latin1ToUtf8(std::string_view latin1);
// Characters outside Latin-1 become '?'.
std::string Utf8ToLatin1(std::string_view utf8);

// Reads a file line by line, each line without its line end, in UTF-8.
class TextLineReader {
 public:
  explicit TextLineReader(const std::string& path);
  bool IsOpen() const { return in_.is_open(); }
  // The next line, or nothing at the end of the file (or on a read error). A
  // file that ends with a line end has no empty line after it.
  std::optional<std::string> NextLine();
  // True when the file could not be read to the end.
  bool Failed() const { return in_.bad(); }

 private:
  std::ifstream in_;
};

// Writes the lines, each ended by CR LF, in Latin-1, whole or not at all, as
// ReplaceFileContents does. On failure the result says why and whether the
// old file is whole.
std::optional<WriteFailure> WriteTextLinesAtomically(const std::string& path,
                                                     const std::vector<std::string>& lines);

}  // namespace quorvane::events
