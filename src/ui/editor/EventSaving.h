#pragma once
// Saving the editor's step list as an event file: the name and description
// taken from the chosen item, the check of a new event's name, the file's
// lines and the whole-or-nothing write.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::ui {

// An event list item split as PopValue splits it: the name before the first
// comma and the description after it, both trimmed of blanks.
struct EventChoice {
  std::string name;
  std::string description;
};
EventChoice SplitEventItem(std::string item);

// The event file of Name in Folder (which ends in the folder separator).
std::string EventPath(const std::string& Folder, const std::string& Name);

// What is wrong with a name typed for a new event, as the message that says
// so; nothing when the name can be used. The name is judged trimmed of
// blanks; characters that some file systems refuse are refused everywhere so
// that event files can move between machines. Characters that an event file
// cannot hold are refused in names too, in the same words, so that every
// text of an event keeps to one character set.
std::optional<std::string> EventNameProblem(std::string_view typedName);

// The message that names the characters of the texts that an event file in
// Latin-1 cannot hold, each once; nothing when every character can be kept.
std::optional<std::string> UnstorableCharactersProblem(const std::vector<std::string>& texts);

// The same for the lines to be written to the file at path: a file in UTF-8
// holds every character, so only a Latin-1 file (or a new one) refuses any.
std::optional<std::string> CharactersTheFileCannotHold(const std::string& path,
                                                       const std::vector<std::string>& lines);

// Line 1 to write for the chosen event. The list shows only the first field of
// a file's description line, so while that still matches, the file's whole
// line is kept: a description holding commas survives saving.
std::string DescriptionLine(const std::string& Folder, const EventChoice& choice);

// The file's lines: the description, then every step line as it stands.
std::vector<std::string> EventFileLines(const std::string& descriptionLine,
                                        const std::vector<std::string>& steps);

// Where line 1 comes from: "Save event" keeps the file's whole description
// line (DescriptionLine); "Save as new event" writes the description typed.
enum class DescriptionSource { KeptFromFile, AsTyped };

// Writes the event file whole or not at all; on failure the message that
// names the file and the reason. Lines holding characters that the file
// cannot hold are refused before anything is written.
std::optional<std::string> SaveEventFile(
    const std::string& Folder, const EventChoice& choice, const std::vector<std::string>& steps,
    DescriptionSource source = DescriptionSource::KeptFromFile);

}  // namespace quorvane::ui
