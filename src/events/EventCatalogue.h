#pragma once
// The catalogue of events: one item per event file of the program folder, as
// the event lists of the windows show it ("name, description").

#include <string>
#include <vector>

#include "global/Global.h"

namespace quorvane::events {

// One event of the catalogue. The name is the file name without ".evnt" as the
// folder listing gives it: bytes that need not be text in the local encoding
// (a Latin-1 name copied from another machine), kept as they are so that the
// file can be opened again under the same name.
struct CatalogueEntry {
  std::string name;
  std::string description;  // UTF-8
  // "name, description", as the event lists show it.
  std::string Item() const { return name + ", " + description; }
  bool operator==(const CatalogueEntry&) const = default;
};

// The entries for every regular "*.evnt" file of Folder, sorted by file name.
// Without ShowAll the standard events "0", "1" and "2" are left out.
std::vector<CatalogueEntry> EventEntries(const std::string& Folder, bool ShowAll);

// The same as list items ("name, description").
std::vector<std::string> EventCatalogue(const std::string& Folder, bool ShowAll);

// True for the names of the three standard events.
bool IsStandardEvent(const std::string& name);

struct InitEventsResult {
  // The user's events, for the main window's event list.
  std::vector<CatalogueEntry> catalogue;
  // File names of the standard events that could not be read ("1.evnt", ...).
  std::vector<std::string> unreadable;
};

// Loads "2.evnt", "1.evnt" and "0.evnt" of the program folder into the data,
// command and reset step arrays, in that order, and builds the catalogue of the
// user's events.
InitEventsResult InitEvents(global::Global& global);

}  // namespace quorvane::events
