#include "events/TextFields.h"

namespace quorvane::events {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string_view PopField(std::string_view& list) {
  list = TrimBlanks(list);
  const auto comma = list.find(',');
  if (comma == std::string_view::npos) {
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
#ifdef _WIN32
  constexpr char kSeparator = '\\';
#else
  constexpr char kSeparator = '/';
#endif
  if (!Path.empty() && (Path.back() == '/' || Path.back() == '\\')) return Path;
  return Path + kSeparator;
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
