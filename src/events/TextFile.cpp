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

TextLineReader::TextLineReader(const std::string& path) : in_(path, std::ios::binary) {}

std::optional<std::string> TextLineReader::NextLine() {
  if (!in_.is_open()) return std::nullopt;
  std::string line;
  bool any = false;
  for (int c = in_.get(); c != std::char_traits<char>::eof(); c = in_.get()) {
    any = true;
    if (c == '\n') return Latin1ToUtf8(line);
    if (c == '\r') {
      if (in_.peek() == '\n') in_.get();
      return Latin1ToUtf8(line);
    }
    line += static_cast<char>(c);
  }
  if (!any) return std::nullopt;
  return Latin1ToUtf8(line);
}

std::optional<WriteFailure> WriteTextLinesAtomically(const std::string& path,
                                                     const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += Utf8ToLatin1(line) + "\r\n";
  return ReplaceFileContents(path, text);
}

}  // namespace quorvane::events
