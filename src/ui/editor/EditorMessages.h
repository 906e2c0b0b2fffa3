#pragma once
// The texts, prompts and titles of the event editor's message and input
// boxes, word for word.

#include <string>

namespace quorvane::ui {

inline constexpr const char* kProgramTitle = "Quorvane";
inline constexpr const char* kErrorTitle = " ERROR";

inline constexpr const char* kNamePrompt = "File name";
inline constexpr const char* kNameTitle = " File name";
inline constexpr const char* kDescriptionPrompt = "Event description";
inline constexpr const char* kDescriptionTitle = " Description";
inline constexpr const char* kReplaceTitle = " Save as new event";
inline constexpr const char* kDiscardTitle = " Definitions of events";
inline constexpr const char* kDiscardQuestion =
    "The step list has changes that are not saved.\nDiscard them?";

inline constexpr const char* kNameMissing = "Error. You must type a name for the file";
inline constexpr const char* kDescriptionMissing =
    "Error. You must type a description for the event";
inline constexpr const char* kDelayOutOfRange =
    "Error. The delay time must lie between -32768 and 32767 mS";

// A chosen event whose file cannot be read; the line break is a lone carriage
// return.
inline std::string LoadErrorMessage(const std::string& path) {
  return "Error on [ " + path + " ]\rFile not found or error reading)";
}

inline std::string SaveErrorMessage(const std::string& path, const std::string& reason,
                                    bool oldContentKept = true) {
  return "Error writing [ " + path + " ]\n" + reason +
         (oldContentKept ? "\nThe file was not changed."
                         : "\nIts old content could not be put back: the file may be incomplete.");
}

// Characters that a Latin-1 event file cannot hold, listed with a blank after
// each.
inline std::string UnstorableMessage(const std::string& listed) {
  return "Error. An event file cannot hold the characters [ " + listed +
         "]\nChange them and save again.";
}

inline std::string ReplaceQuestion(const std::string& name) {
  return "The event [ " + name + " ] exists already.\nReplace it?";
}

}  // namespace quorvane::ui
