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
    const auto refuse = [&](const std::string& reason) {
      list.error = ItemLabel(position, item) + ": " + reason;
      list.items.clear();
      return list;
    };
    if (item.front() == '#') {
      const auto number = global::ReadWholeNumber(item.substr(1));
      if (!number) return refuse("not a number of milliseconds (write a delay as #500)");
      const auto milliseconds = global::RoundToInt32(*number);
      if (!milliseconds) return refuse("not a delay (up to 2147483647 ms)");
      value.isDelay = true;
      if (*milliseconds < 0) {
        value.note = ItemLabel(position, item) + ": a negative delay waits 0 ms";
      } else {
        value.milliseconds = static_cast<std::uint32_t>(*milliseconds);
      }
    } else {
      const auto number = global::ReadWholeNumber(item);
      if (!number) return refuse(std::string("not a number (") + global::kHexHint + ")");
      const auto byte = global::RoundToByte(*number);
      if (!byte) return refuse("not a byte (0 to 255)");
      value.byte = *byte;
    }
    list.items.push_back(std::move(value));
  }
  return list;
}

}  // namespace quorvane::events
