#include "events/TextFile.h"

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
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    unsigned code = lead;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
      if (i + 1 < utf8.size()) {
        code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      }
    } else if (lead >= 0x80) {
      code = '?';  // a stray continuation byte
    }
    latin1 += code <= 0xFF && length <= 2 ? static_cast<char>(code) : '?';
    i += length;
  }
  return latin1;
}

namespace {

// The length of the valid UTF-8 sequence at the start of bytes, 0 when there
// is none: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t ValidSequenceLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

constexpr std::size_t kReadBlock = 64 * 1024;

}  // namespace

std::string Utf8OrLatin1(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t length = ValidSequenceLength(bytes);
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
  // The mark is the whole of the difference: a file with it is UTF-8, every
  // other file is Latin-1.
  PeekByte();  // fills the first block, which holds the whole mark when there is one
  if (std::string_view(buffer_.data(), buffer_.size()).starts_with(kUtf8ByteOrderMark)) {
    position_ = kUtf8ByteOrderMark.size();
    utf8_ = true;
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
    if (!utf8_) return Latin1ToUtf8(line);
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

bool BeginsWithByteOrderMark(const std::string& path) {
  const platform::OpenedFile opened = platform::OpenRegularFile(path);
  if (!opened.file) return false;
  char start[3] = {};
  return std::fread(start, 1, sizeof start, opened.file.get()) == sizeof start &&
         std::string_view(start, sizeof start) == kUtf8ByteOrderMark;
}

std::optional<WriteFailure> WriteTextLinesAtomically(const std::string& path,
                                                     const std::vector<std::string>& lines) {
  const bool utf8 = BeginsWithByteOrderMark(path);
  std::string text(utf8 ? kUtf8ByteOrderMark : std::string_view());
  for (const std::string& line : lines) text += (utf8 ? line : Utf8ToLatin1(line)) + "\r\n";
  return ReplaceFileContents(path, text);
}

}  // namespace quorvane::events
