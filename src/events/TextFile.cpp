#include "events/TextFile.h"

#include <algorithm>

#include "global/Utf8.h"

namespace quorvane::events {

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  while (!utf8.empty()) {
    const global::Utf8Character character = global::DecodeUtf8(utf8);
    latin1 +=
        character.length != 0 && character.code <= 0xFF ? static_cast<char>(character.code) : '?';
    utf8.remove_prefix(character.length != 0 ? character.length : 1);
  }
  return latin1;
}

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
// The longest UTF-8 sequence: a block that ends with fewer bytes than this
// may end inside one, which the next block completes.
constexpr std::size_t kLongestSequence = 4;

// Reads the file from its start to tell its encoding, then goes back to the
// start. A marked file is known from its first three bytes, a Latin-1 file at
// its first byte that is not UTF-8; only a UTF-8 or ASCII file is read whole.
TextEncoding ScanEncoding(std::FILE* file, bool& failed) {
  std::vector<char> block(kLongestSequence + kReadBlock);
  std::size_t carried = 0;
  bool first = true;
  bool beyondAscii = false;
  bool valid = true;
  while (valid) {
    const std::size_t got = std::fread(block.data() + carried, 1, kReadBlock, file);
    if (got < kReadBlock && std::ferror(file)) failed = true;
    const bool end = got < kReadBlock;
    std::string_view bytes(block.data(), carried + got);
    if (first && bytes.starts_with(kUtf8ByteOrderMark)) return TextEncoding::Utf8WithMark;
    first = false;
    while (!bytes.empty() && (end || bytes.size() >= kLongestSequence)) {
      const std::size_t length = global::DecodeUtf8(bytes).length;
      if (length == 0) {
        valid = false;
        break;
      }
      beyondAscii = beyondAscii || length > 1;
      bytes.remove_prefix(length);
    }
    if (end) break;
    carried = bytes.size();
    std::copy(bytes.begin(), bytes.end(), block.begin());
  }
  return valid && beyondAscii ? TextEncoding::Utf8 : TextEncoding::Latin1;
}

}  // namespace

TextEncoding EncodingOfUnmarked(std::string_view bytes) {
  bool beyondAscii = false;
  while (!bytes.empty()) {
    const std::size_t length = global::DecodeUtf8(bytes).length;
    if (length == 0) return TextEncoding::Latin1;
    beyondAscii = beyondAscii || length > 1;
    bytes.remove_prefix(length);
  }
  return beyondAscii ? TextEncoding::Utf8 : TextEncoding::Latin1;
}

std::string Utf8OrLatin1(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t length = global::DecodeUtf8(bytes).length;
    if (length > 0) {
      utf8.append(bytes.substr(0, length));
      bytes.remove_prefix(length);
    } else {
      utf8 += Latin1ToUtf8(bytes.substr(0, 1));
      bytes.remove_prefix(1);
    }
  }
  return utf8;
}

TextLineReader::TextLineReader(const std::string& path) {
  platform::OpenedFile opened = platform::OpenRegularFile(path);
  file_ = std::move(opened.file);
  problem_ = std::move(opened.problem);
  notAFile_ = opened.notAFile;
  if (!file_) return;
  encoding_ = ScanEncoding(file_.get(), failed_);
  if (std::fseek(file_.get(), 0, SEEK_SET) != 0) failed_ = true;
  if (encoding_ == TextEncoding::Utf8WithMark) {
    PeekByte();  // fills the first block, which holds the whole mark
    position_ = kUtf8ByteOrderMark.size();
  }
}

int TextLineReader::PeekByte() {
  if (position_ == buffer_.size()) {
    if (!file_ || failed_) return -1;
    buffer_.resize(kReadBlock);
    const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (got < buffer_.size() && std::ferror(file_.get())) failed_ = true;
    buffer_.resize(got);
    position_ = 0;
    if (got == 0) return -1;
  }
  return static_cast<unsigned char>(buffer_[position_]);
}

int TextLineReader::NextByte() {
  const int byte = PeekByte();
  if (byte >= 0) ++position_;
  return byte;
}

std::optional<std::string> TextLineReader::NextLine() {
  if (!file_) return std::nullopt;
  std::string line;
  bool any = false;
  const auto decoded = [&] {
    if (encoding_ == TextEncoding::Latin1) return Latin1ToUtf8(line);
    // Marks at the start of a later line (files joined end to end) are no
    // part of the text either.
    std::string_view text(line);
    while (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    return Utf8OrLatin1(text);
  };
  for (int c = NextByte(); c >= 0; c = NextByte()) {
    any = true;
    if (c == '\n') return decoded();
    if (c == '\r') {
      if (PeekByte() == '\n') ++position_;
      return decoded();
    }
    line += static_cast<char>(c);
  }
  if (!any) return std::nullopt;
  return decoded();
}

TextEncoding FileEncoding(const std::string& path) {
  return TextLineReader(path).Encoding();
}

std::optional<platform::WriteFailure> WriteTextLinesAtomically(
    const std::string& path, const std::vector<std::string>& lines) {
  const TextEncoding encoding = FileEncoding(path);
  std::string utf8(encoding == TextEncoding::Utf8WithMark ? kUtf8ByteOrderMark
                                                          : std::string_view());
  for (const std::string& line : lines) utf8 += line + "\r\n";
  if (encoding != TextEncoding::Latin1) return platform::ReplaceFileContents(path, utf8);
  std::string latin1;
  for (const std::string& line : lines) latin1 += Utf8ToLatin1(line) + "\r\n";
  // Latin-1 bytes that would be read as UTF-8, or begin like a marked file,
  // would come back as other characters.
  const bool misread = EncodingOfUnmarked(latin1) != TextEncoding::Latin1 ||
                       std::string_view(latin1).starts_with(kUtf8ByteOrderMark);
  return platform::ReplaceFileContents(path, misread ? utf8 : latin1);
}

}  // namespace quorvane::events
