#include "platform/ports/adapters/GpioPort.h"

#include <cerrno>
#include <system_error>
#include <utility>
#include <vector>

namespace quorvane::platform {

namespace {

constexpr std::uint8_t kLineBits = global::kSignalLineMask;

// One level per line, D0 first, from bits 0 to 4 of a byte.
std::array<int, GpioAddress::kLineCount> LineLevels(std::uint8_t bits) {
  std::array<int, GpioAddress::kLineCount> levels{};
  for (std::size_t n = 0; n < levels.size(); ++n) levels[n] = (bits >> n) & 1;
  return levels;
}

std::string ChipName(const std::string& chip) {
  return "the GPIO chip '" + chip + "'";
}

std::string LineList(const GpioAddress& address) {
  std::string text;
  for (std::size_t n = 0; n < address.lines.size(); ++n) {
    if (n > 0) text += ",";
    text += std::to_string(address.lines[n]);
  }
  return text;
}

std::string NoPermission(const std::string& what) {
  return "no permission to use " + what +
         "; add the user to the group gpio (and log in again) or give it access to "
         "/dev/gpiochipN with a udev rule";
}

std::string ChipFailure(const std::string& chip, int error) {
  if (error == ENOENT || error == ENODEV || error == ENOTTY) return "no GPIO chip '" + chip + "'";
  if (error == EACCES || error == EPERM) return NoPermission(ChipName(chip));
  return "cannot open " + ChipName(chip) + ": " + std::generic_category().message(error);
}

// gpiod_chip_open_lookup takes a text of digits as a chip number and a text
// beginning with /dev/ as a path; it looks any other text up as a label first.
bool LookedUpByLabel(const std::string& chip) {
  return chip.find_first_not_of("0123456789") != std::string::npos && !chip.starts_with("/dev/");
}

// The lookup by label gave up at a chip it may not open, and the text was no
// name of /dev either: the permission is the problem, not the chip.
std::string LabelLookupFailure(const std::string& chip,
                               const std::vector<std::string>& unreadable) {
  std::string paths;
  for (std::size_t n = 0; n < unreadable.size(); ++n) {
    if (n > 0) paths += n + 1 == unreadable.size() ? " and " : ", ";
    paths += unreadable[n];
  }
  return "cannot look for the GPIO chip '" + chip + "' by its label: " + NoPermission(paths);
}

std::string RequestFailure(const GpioAddress& address, int error) {
  const std::string lines = "the lines " + LineList(address) + " of " + ChipName(address.chip);
  if (error == EBUSY) {
    return lines + " are not free: another program or driver holds one of them (gpioinfo " +
           address.chip + " shows which)";
  }
  if (error == EACCES || error == EPERM) return NoPermission(lines);
  return "cannot drive " + lines + ": " + std::generic_category().message(error);
}

// The chip is closed unless the port takes it over.
class OpenChip {
 public:
  explicit OpenChip(GpioSystem& system) : system_(&system) {}
  ~OpenChip() {
    if (system_ != nullptr) system_->CloseChip();
  }
  OpenChip(const OpenChip&) = delete;
  OpenChip& operator=(const OpenChip&) = delete;
  void Keep() { system_ = nullptr; }

 private:
  GpioSystem* system_;
};

}  // namespace

GpioPort::Opening GpioPort::Open(std::unique_ptr<GpioSystem> system, const GpioAddress& address) {
  if (const int result = system->OpenChip(address.chip); result < 0) {
    if (-result == ENOENT && LookedUpByLabel(address.chip)) {
      if (const auto unreadable = system->UnreadableChips(); !unreadable.empty()) {
        return {nullptr, LabelLookupFailure(address.chip, unreadable)};
      }
    }
    return {nullptr, ChipFailure(address.chip, -result)};
  }
  OpenChip chip(*system);
  const unsigned count = system->LineCount();
  for (const unsigned line : address.lines) {
    if (line >= count) {
      return {nullptr, ChipName(address.chip) + " has no line " + std::to_string(line) +
                           " (it has " + std::to_string(count) + (count == 1 ? " line" : " lines") +
                           ", numbered from 0)"};
    }
  }
  if (const int result = system->GetLines(address.lines); result < 0) {
    return {nullptr, "cannot get the lines " + LineList(address) + " of " + ChipName(address.chip) +
                         ": " + std::generic_category().message(-result)};
  }
  if (const int result = system->RequestOutputs(kConsumer, LineLevels(kRequestLevels));
      result < 0) {
    return {nullptr, RequestFailure(address, -result)};
  }
  chip.Keep();
  return {std::make_unique<GpioPort>(std::move(system)), {}};
}

GpioPort::~GpioPort() {
  system_->Release();
  system_->CloseChip();
}

void GpioPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (address != kDataRegister || Failed()) return;
  const auto wanted = static_cast<std::uint8_t>(value & kLineBits);
  if (wanted == levels_) return;
  if (const int result = system_->SetValues(LineLevels(wanted)); result < 0) {
    // A chip on a bus that can be unplugged (a USB GPIO expander) or whose
    // driver was unloaded answers ENODEV.
    Fail(-result == ENODEV ? "the GPIO chip went away"
                           : "gpiod: " + std::generic_category().message(-result));
    return;
  }
  levels_ = wanted;
}

}  // namespace quorvane::platform
