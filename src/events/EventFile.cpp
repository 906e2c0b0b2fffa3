#include "events/EventFile.h"

#include "events/TextFile.h"

namespace quorvane::events {

bool ReadEventSteps(const std::string& FileName, global::StepArray& Steps) {
  Steps.fill(global::kEndMarker);
  Steps.linesNotRun = 0;
  TextLineReader reader(FileName);
  if (!reader.NextLine()) return false;
  for (std::size_t slot = 0; slot < global::kMaxSteps; ++slot) {
    auto line = reader.NextLine();
    if (!line) return true;
    Steps[slot] = std::move(*line);
  }
  while (reader.NextLine()) ++Steps.linesNotRun;
  return true;
}

bool LoadEventLines(const std::string& FileName, std::vector<std::string>& StepList) {
  StepList.clear();
  TextLineReader reader(FileName);
  if (!reader.NextLine()) return false;
  while (auto line = reader.NextLine()) StepList.push_back(std::move(*line));
  return !reader.Failed();
}

std::string ReadEventDescription(const std::string& Folder, const std::string& Name) {
  TextLineReader reader(Folder + Name + kEventExtension);
  const auto line = reader.NextLine();
  if (!line) return {};
  const std::string_view text = *line;
  const auto start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  if (text[start] == '"') {
    const auto close = text.find('"', start + 1);
    return std::string(text.substr(
        start + 1, close == std::string_view::npos ? std::string_view::npos : close - start - 1));
  }
  return std::string(text.substr(start, text.find(',', start) - start));
}

}  // namespace quorvane::events
