#pragma once
// The event lists of the main window and the editor: one item per event,
// "name, description", with the name shown readably and the file name's own
// bytes kept in the item, so that choosing the item opens that very file.

#include <QString>
#include <string>
#include <vector>

#include "events/EventCatalogue.h"

class QComboBox;

namespace quorvane::ui {

// A file name's bytes as text: decoded in the local encoding, or read as
// Latin-1 where they are not valid there (a name made on another machine).
QString FileNameText(const std::string& bytes);

// Clears Combo and adds one item per entry; nothing is chosen afterwards.
void FillEventCombo(QComboBox* Combo, const std::vector<events::CatalogueEntry>& entries);

// The event name of item Index: the file name's bytes kept with the item, or
// for an item without them (one added after saving a new event) the text
// before the first comma. Empty when Index names no item.
std::string EventNameAt(const QComboBox& Combo, int Index);

}  // namespace quorvane::ui
