#include "events/ValueList.h"

#include "events/TextFields.h"
#include "global/NumberReading.h"

namespace quorvane::events {
namespace {

std::string ItemLabel(std::size_t position, std::string_view item) {
  return "item " + std::to_string(position) + ", '" + Abbreviate(item, 40) + "'";
}

}  // namespace

ValueList ParseValueList(std::string_view text) {
  ValueList list;
  std::string_view rest = text;
  for (std::size_t position = 1;; ++position) {
    const std::string_view item = PopField(rest);
    if (item.empty()) break;
    ValueItem value;
    if (item.front() == '#') {
      const auto milliseconds = global::RoundToInt32(global::ReadNumber(item.substr(1)));
      if (!milliseconds) {
        list.error = ItemLabel(position, item) + ": not a delay (up to 2147483647 ms)";
        list.items.clear();
        return list;
      }
      value.isDelay = true;
      if (*milliseconds < 0) {
        value.note = ItemLabel(position, item) + ": a negative delay waits 0 ms";
      } else {
        value.milliseconds = static_cast<std::uint32_t>(*milliseconds);
      }
    } else {
      const auto byte = global::RoundToByte(global::ReadNumber(item));
      if (!byte) {
        list.error = ItemLabel(position, item) + ": not a byte (0 to 255)";
        list.items.clear();
        return list;
      }
      value.byte = *byte;
    }
    list.items.push_back(std::move(value));
  }
  return list;
}

}  // namespace quorvane::events
