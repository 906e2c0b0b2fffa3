#include "events/EventCatalogue.h"

#include <algorithm>
#include <filesystem>

#include "events/EventFile.h"
#include "events/TextFields.h"
#include "platform/files/TextPath.h"

namespace quorvane::events {

bool IsStandardEvent(const std::string& name) {
  return name == "0" || name == "1" || name == "2";
}

std::vector<CatalogueEntry> EventEntries(const std::string& Folder, bool ShowAll) {
  namespace fs = std::filesystem;
  const std::string extension = kEventExtension;
  std::vector<std::string> fileNames;
  std::error_code error;
  for (fs::directory_iterator it(platform::PathFromText(Folder.empty() ? "." : Folder), error), end;
       !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string fileName = platform::TextFromPath(it->path().filename());
    if (fileName.size() > extension.size() && fileName.ends_with(extension)) {
      fileNames.push_back(std::move(fileName));
    }
  }
  // Folder listings come in no fixed order on every platform; sorted by name,
  // the list reads the same everywhere.
  std::sort(fileNames.begin(), fileNames.end());

  std::vector<CatalogueEntry> entries;
  for (const std::string& fileName : fileNames) {
    std::string name = StripExtension(fileName);
    if (ShowAll || !IsStandardEvent(name)) {
      std::string description = ReadEventDescription(Folder, name);
      entries.push_back({std::move(name), std::move(description)});
    }
  }
  return entries;
}

std::vector<std::string> EventCatalogue(const std::string& Folder, bool ShowAll) {
  std::vector<std::string> items;
  for (const CatalogueEntry& entry : EventEntries(Folder, ShowAll)) items.push_back(entry.Item());
  return items;
}

InitEventsResult InitEvents(global::Global& global) {
  InitEventsResult result;
  const auto load = [&](const char* fileName, global::StepArray& steps) {
    if (!ReadEventSteps(global.ProgramFolder + fileName, steps)) {
      result.unreadable.push_back(fileName);
    }
  };
  load("2.evnt", global.DataEventSteps);
  load("1.evnt", global.CommandEventSteps);
  load("0.evnt", global.ResetEventSteps);
  result.catalogue = EventEntries(global.ProgramFolder, false);
  return result;
}

}  // namespace quorvane::events
