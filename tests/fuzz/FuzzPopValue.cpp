// PopValue on any text: every field comes back trimmed and without a comma,
// the list always shrinks, and the fields with their commas make up the list.

#include "FuzzInput.h"
#include "events/TextFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  std::string list(fuzz::AsText(data, size));
  std::size_t commas = 0;
  for (const char c : list) commas += c == ',';
  std::size_t fields = 0;
  while (!list.empty()) {
    const std::size_t before = list.size();
    const std::string field = events::PopValue(list);
    fuzz::Check(field.find(',') == std::string::npos);
    fuzz::Check(field.empty() || (field.front() != ' ' && field.back() != ' '));
    fuzz::Check(list.size() < before);
    fuzz::Check(list.empty() || (list.front() != ' ' && list.back() != ' '));
    ++fields;
  }
  fuzz::Check(fields <= commas + 1);
  return 0;
}
