#pragma once
// The catalogue of events: one item per event file of the program folder, as
// the event lists of the windows show it ("name, description").

#include <string>
#include <vector>

#include "global/Global.h"

namespace quorvane::events {

// Items for every "*.evnt" file of Folder, sorted by file name. Without ShowAll
// the standard events "0", "1" and "2" are left out.
std::vector<std::string> EventCatalogue(const std::string& Folder, bool ShowAll);

// True for the names of the three standard events.
bool IsStandardEvent(const std::string& name);

struct InitEventsResult {
  // The user's events, for the main window's event list.
  std::vector<std::string> catalogue;
  // File names of the standard events that could not be read ("1.evnt", ...).
  std::vector<std::string> unreadable;
};

// Loads "2.evnt", "1.evnt" and "0.evnt" of the program folder into the data,
// command and reset step arrays, in that order, and builds the catalogue of the
// user's events.
InitEventsResult InitEvents(global::Global& global);

}  // namespace quorvane::events
