#include "ui/editor/EventSaving.h"

#include <algorithm>
#include <cctype>

#include "events/EventFile.h"
#include "events/TextFields.h"
#include "events/TextFile.h"
#include "global/Utf8.h"
#include "ui/editor/EditorMessages.h"

namespace quorvane::ui {
namespace {

// Refused by the common desktop file systems, path separators included.
constexpr std::string_view kForbiddenCharacters = "\\/:*?\"<>|";

// Windows keeps these names for its devices, whatever follows the first dot:
// "lpt1.evnt" is the printer port there, where the module may hang. They are
// refused on every system, so that an event folder moves between them.
bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

EventChoice SplitEventItem(std::string item) {
  EventChoice choice;
  choice.name = events::PopValue(item);
  choice.description = std::move(item);
  return choice;
}

std::string EventPath(const std::string& Folder, const std::string& Name) {
  return Folder + Name + events::kEventExtension;
}

std::optional<std::string> EventNameProblem(std::string_view typedName) {
  const std::string_view name = events::TrimBlanks(typedName);
  if (name.empty()) return std::string(kNameMissing);
  if (name == "." || name == ".." || IsDeviceName(name)) {
    return "Error. The file name cannot be [ " + std::string(name) + " ]";
  }
  // A comma would end the name where the event list splits its items.
  if (name.find(',') != std::string_view::npos) {
    return std::string("Error. The name of an event cannot hold a comma");
  }
  if (auto problem = UnstorableCharactersProblem({std::string(name)})) return problem;
  for (const char c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) {
      return std::string("Error. The file name cannot hold control characters");
    }
    if (kForbiddenCharacters.find(c) != std::string_view::npos) {
      return "Error. The file name cannot hold the character [ " + std::string(1, c) + " ]";
    }
  }
  return std::nullopt;
}

std::optional<std::string> UnstorableCharactersProblem(const std::vector<std::string>& texts) {
  std::vector<std::string> found;
  for (const std::string& text : texts) {
    for (std::string_view rest = text; !rest.empty();) {
      const global::Utf8Character decoded = global::DecodeUtf8(rest);
      const std::size_t length = decoded.length != 0 ? decoded.length : 1;
      const std::string character(rest.substr(0, length));
      if ((decoded.length == 0 || decoded.code > 0xFF) &&
          std::find(found.begin(), found.end(), character) == found.end()) {
        found.push_back(character);
      }
      rest.remove_prefix(length);
    }
  }
  if (found.empty()) return std::nullopt;
  std::string listed;
  for (const std::string& character : found) listed += character + " ";
  return UnstorableMessage(listed);
}

std::optional<std::string> CharactersTheFileCannotHold(const std::string& path,
                                                       const std::vector<std::string>& lines) {
  // A UTF-8 file holds every character; a Latin-1 file, or a new one, does not.
  if (events::FileEncoding(path) != events::TextEncoding::Latin1) return std::nullopt;
  return UnstorableCharactersProblem(lines);
}

std::string DescriptionLine(const std::string& Folder, const EventChoice& choice) {
  events::TextLineReader reader(EventPath(Folder, choice.name));
  const auto fileLine = reader.NextLine();
  if (!fileLine) return choice.description;
  const std::string shown = events::ReadEventDescription(Folder, choice.name);
  const bool unchanged = events::TrimBlanks(shown) == events::TrimBlanks(choice.description);
  return unchanged ? *fileLine : choice.description;
}

std::vector<std::string> EventFileLines(const std::string& descriptionLine,
                                        const std::vector<std::string>& steps) {
  std::vector<std::string> lines;
  lines.reserve(steps.size() + 1);
  lines.push_back(descriptionLine);
  lines.insert(lines.end(), steps.begin(), steps.end());
  return lines;
}

std::optional<std::string> SaveEventFile(const std::string& Folder, const EventChoice& choice,
                                         const std::vector<std::string>& steps,
                                         DescriptionSource source) {
  const std::string path = EventPath(Folder, choice.name);
  const std::string descriptionLine = source == DescriptionSource::KeptFromFile
                                          ? DescriptionLine(Folder, choice)
                                          : choice.description;
  const std::vector<std::string> lines = EventFileLines(descriptionLine, steps);
  if (auto problem = CharactersTheFileCannotHold(path, lines)) return problem;
  const auto failure = events::WriteTextLinesAtomically(path, lines);
  if (!failure) return std::nullopt;
  return SaveErrorMessage(path, failure->reason, failure->oldContentKept);
}

}  // namespace quorvane::ui
