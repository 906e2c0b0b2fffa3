#include "events/TextFields.h"

#include "platform/files/FolderSeparator.h"

namespace quorvane::events {

// Every step of every byte a picture sends runs through these: plain loops,
// as the fields are short.
std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && text[first] == ' ') ++first;
  while (end > first && text[end - 1] == ' ') --end;
  return text.substr(first, end - first);
}

std::string_view PopField(std::string_view& list) {
  list = TrimBlanks(list);
  std::size_t comma = 0;
  while (comma < list.size() && list[comma] != ',') ++comma;
  if (comma == list.size()) {
    const std::string_view field = list;
    list = {};
    return field;
  }
  const std::string_view field = TrimBlanks(list.substr(0, comma));
  list = TrimBlanks(list.substr(comma + 1));
  return field;
}

std::string PopValue(std::string& List) {
  std::string_view rest = List;
  const std::string field(PopField(rest));
  List = std::string(rest);
  return field;
}

std::string AddBackslash(const std::string& Path) {
  if (!Path.empty() && (Path.back() == '/' || Path.back() == '\\')) return Path;
  return Path + platform::kFolderSeparator;
}

std::string StripExtension(const std::string& FileName) {
  // A dot before the last folder separator belongs to a folder's name.
  const auto dot = FileName.rfind('.');
  const auto separator = FileName.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return FileName;
  }
  return FileName.substr(0, dot);
}

std::string Abbreviate(std::string_view text, std::size_t maxLength) {
  if (text.size() <= maxLength) return std::string(text);
  return std::string(text.substr(0, maxLength)) + "...";
}

}  // namespace quorvane::events
