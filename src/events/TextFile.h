#pragma once
// Text files as the program keeps them: Latin-1 or UTF-8 on disk, decided per
// file, UTF-8 in memory, every line ended by CR LF. Reading also takes lines
// ended by LF alone or CR alone, so files edited elsewhere read the same. A
// file is UTF-8 when it begins with the UTF-8 byte-order mark (as many
// editors save; read without the mark), or when all its bytes are valid UTF-8
// and hold at least one character beyond ASCII (as a Linux text editor
// saves); any other file is Latin-1, each byte one character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/FileReplace.h"
#include "platform/files/RegularFile.h"

namespace quorvane::events {

std::string Latin1ToUtf8(std::string_view latin1);
// Characters outside Latin-1 become '?'.
std::string Utf8ToLatin1(std::string_view utf8);
// Text that should be UTF-8: every valid sequence is kept, every byte that is
// not part of one is taken as a Latin-1 character, so the result is valid UTF-8.
std::string Utf8OrLatin1(std::string_view bytes);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class TextEncoding { Latin1, Utf8, Utf8WithMark };

// How the file at path is read, and written again; Latin-1 for a file that
// cannot be read (a new one).
TextEncoding FileEncoding(const std::string& path);

// How bytes without a mark are taken: UTF-8 when they are valid UTF-8 and
// hold a character beyond ASCII, otherwise Latin-1.
TextEncoding EncodingOfUnmarked(std::string_view bytes);

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
  TextEncoding Encoding() const { return encoding_; }

 private:
  // The next byte, or -1 at the end of the file or on a read error.
  int NextByte();
  int PeekByte();

  platform::FileHandle file_;
  std::string problem_;
  bool notAFile_ = false;
  TextEncoding encoding_ = TextEncoding::Latin1;
  bool failed_ = false;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
};

// Writes the lines, each ended by CR LF, whole or not at all, as
// platform::ReplaceFileContents does, in the file's own encoding: a UTF-8 file stays
// UTF-8 (with its mark when it had one), so that saving it again loses no
// character outside Latin-1; a Latin-1 file (or a new one) is written in
// Latin-1, unless those bytes would read back as UTF-8 (Latin-1 "Ã©" is the
// UTF-8 of "é"): then in UTF-8, so the text reads back as it was. On failure
// the result says why and whether the old file is whole.
std::optional<platform::WriteFailure> WriteTextLinesAtomically(
    const std::string& path, const std::vector<std::string>& lines);

}  // namespace quorvane::events
