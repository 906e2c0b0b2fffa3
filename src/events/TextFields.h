#pragma once
// The small text helpers that every comma-separated text and every path of the
// program goes through.

#include <string>
#include <string_view>

namespace quorvane::events {

// Takes the first comma-separated field off List and returns it, trimmed of
// blanks; List keeps what follows the comma, trimmed. Without a comma the whole
// trimmed text is the field and List becomes empty.
std::string PopValue(std::string& List);

// The same rule on a view, for readers that need no copy of the text.
std::string_view PopField(std::string_view& list);

// Blanks (spaces) off both ends.
std::string_view TrimBlanks(std::string_view text);

// Path with the platform's folder separator appended, unless it already ends in
// one ('/' or '\'). The Windows form 'C:\x' thus gives 'C:\x\'.
std::string AddBackslash(const std::string& Path);

// The text before the last "."; the name unchanged when it holds none, or
// when the last "." is in a folder's name ('C:\lcd.v2\init').
std::string StripExtension(const std::string& FileName);

// A text for a message: longer texts are cut and end in "...".
std::string Abbreviate(std::string_view text, std::size_t maxLength = 60);

}  // namespace quorvane::events
