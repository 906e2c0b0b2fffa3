#pragma once
// The libgpiod (v1) calls the GPIO backend makes, on one chip, behind an
// interface so that the backend's logic runs against a stand-in where there
// are no GPIO lines.

#include <span>
#include <string>
#include <vector>

namespace quorvane::platform {

class GpioSystem {
 public:
  virtual ~GpioSystem() = default;
  // gpiod_chip_open_lookup (a name such as gpiochip0, a number, a path or a
  // label): 0, or the negative errno.
  virtual int OpenChip(const std::string& chip) = 0;
  // The GPIO chips of the machine (/dev/gpiochip*) that this process may not
  // open, by path: the lookup by label opens every chip and gives up at the
  // first it may not open, and then tries the text as a name of /dev, so
  // that its error says only ENOENT.
  virtual std::vector<std::string> UnreadableChips() = 0;
  // gpiod_chip_num_lines of the open chip.
  virtual unsigned LineCount() = 0;
  // gpiod_chip_get_lines into the one line bulk: 0, or the negative errno.
  virtual int GetLines(std::span<const unsigned> offsets) = 0;
  // gpiod_line_request_bulk_output with one start level per line: 0, or the
  // negative errno.
  virtual int RequestOutputs(const std::string& consumer, std::span<const int> levels) = 0;
  // gpiod_line_set_value_bulk, one level per line in the order of GetLines: 0,
  // or the negative errno.
  virtual int SetValues(std::span<const int> levels) = 0;
  // gpiod_line_release_bulk.
  virtual void Release() = 0;
  // gpiod_chip_close.
  virtual void CloseChip() = 0;
};

}  // namespace quorvane::platform
