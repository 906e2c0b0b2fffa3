#pragma once
// Event files: "<name>.evnt" in the program folder, line 1 the description, then
// one step line per line ("SB", "DL", "TX"). The engine uses the first 20 step
// lines; the editor shows and keeps all of them.

#include <string>
#include <vector>

#include "global/Global.h"

namespace quorvane::events {

inline constexpr const char* kEventExtension = ".evnt";

// Fills all 21 slots: the first 20 step lines in file order, "X" in every other
// slot, and counts the step lines after the 20th. A file that cannot be
// opened, or has no first line, gives an empty event (all "X"). The result
// says whether the file could be read.
bool ReadEventSteps(const std::string& FileName, global::StepArray& Steps);

// All step lines of the file into StepList. False when the file could not be
// opened or read or has not even a first line; StepList then keeps the lines
// read so far.
bool LoadEventLines(const std::string& FileName, std::vector<std::string>& StepList);

// The first comma-delimited field of the description line of the event Name in
// Folder; empty when it cannot be read. A field that starts with a double quote
// runs to the next double quote.
std::string ReadEventDescription(const std::string& Folder, const std::string& Name);

}  // namespace quorvane::events
