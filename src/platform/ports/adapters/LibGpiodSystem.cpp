#include "platform/ports/adapters/LibGpiodSystem.h"

#include <fcntl.h>
#include <gpiod.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

namespace quorvane::platform {

void LibGpiodSystem::ChipClose::operator()(gpiod_chip* chip) const {
  gpiod_chip_close(chip);
}

LibGpiodSystem::LibGpiodSystem() : bulk_(std::make_unique<gpiod_line_bulk>()) {
  gpiod_line_bulk_init(bulk_.get());
}

LibGpiodSystem::~LibGpiodSystem() {
  Release();
}

int LibGpiodSystem::OpenChip(const std::string& chip) {
  errno = 0;
  chip_.reset(gpiod_chip_open_lookup(chip.c_str()));
  if (chip_) return 0;
  return errno != 0 ? -errno : -ENOENT;
}

std::vector<std::string> LibGpiodSystem::UnreadableChips() {
  // The devices libgpiod's chip iterator opens: /dev/gpiochip*, each as
  // gpiod_chip_open opens it.
  std::vector<std::string> unreadable;
  std::error_code error;
  std::filesystem::directory_iterator entry("/dev", error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    const std::string path = entry->path().string();
    if (!entry->path().filename().string().starts_with("gpiochip")) continue;
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
      ::close(fd);
    } else if (errno == EACCES || errno == EPERM) {
      unreadable.push_back(path);
    }
  }
  std::sort(unreadable.begin(), unreadable.end());
  return unreadable;
}

unsigned LibGpiodSystem::LineCount() {
  return chip_ ? gpiod_chip_num_lines(chip_.get()) : 0;
}

int LibGpiodSystem::GetLines(std::span<const unsigned> offsets) {
  if (!chip_) return -EBADF;
  if (offsets.size() > GPIOD_LINE_BULK_MAX_LINES) return -EINVAL;
  std::vector<unsigned> copy(offsets.begin(), offsets.end());
  gpiod_line_bulk_init(bulk_.get());
  if (gpiod_chip_get_lines(chip_.get(), copy.data(), static_cast<unsigned>(copy.size()),
                           bulk_.get()) < 0) {
    return -errno;
  }
  return 0;
}

int LibGpiodSystem::RequestOutputs(const std::string& consumer, std::span<const int> levels) {
  if (levels.size() != gpiod_line_bulk_num_lines(bulk_.get())) return -EINVAL;
  if (gpiod_line_request_bulk_output(bulk_.get(), consumer.c_str(), levels.data()) < 0) {
    return -errno;
  }
  requested_ = true;
  return 0;
}

int LibGpiodSystem::SetValues(std::span<const int> levels) {
  if (!requested_ || levels.size() != gpiod_line_bulk_num_lines(bulk_.get())) return -EINVAL;
  return gpiod_line_set_value_bulk(bulk_.get(), levels.data()) < 0 ? -errno : 0;
}

void LibGpiodSystem::Release() {
  if (requested_) gpiod_line_release_bulk(bulk_.get());
  requested_ = false;
}

void LibGpiodSystem::CloseChip() {
  Release();
  chip_.reset();
}

}  // namespace quorvane::platform
