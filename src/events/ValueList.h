#pragma once
// Value lists: comma-separated byte values with "#" delay items in
// milliseconds, as typed into the send boxes ("33, 200, 5, #500, 8").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::events {

struct ValueItem {
  bool isDelay = false;
  std::uint8_t byte = 0;           // byte items
  std::uint32_t milliseconds = 0;  // delay items; a negative delay waits 0 ms
  std::string note;                // set for a negative delay: what to report
};

struct ValueList {
  std::vector<ValueItem> items;
  // Set when the list is refused: names the item and its position.
  std::string error;
  bool Refused() const { return !error.empty(); }
};

// Reads the whole list before anything is sent. The list ends at its end or at
// its first empty item. An item that is not wholly a number (decimal, 0x, &H
// or &O), a byte item outside 0 to 255 after rounding, or a delay outside the
// 32-bit range refuses the whole list.
ValueList ParseValueList(std::string_view text);

}  // namespace quorvane::events
