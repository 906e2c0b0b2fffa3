#pragma once
// The real libgpiod (v1) calls behind the GPIO backend: one chip and one bulk
// of lines (built only where libgpiod v1 is found).

#include <memory>

#include "platform/ports/adapters/GpioSystem.h"

struct gpiod_chip;
struct gpiod_line_bulk;

namespace quorvane::platform {

class LibGpiodSystem final : public GpioSystem {
 public:
  LibGpiodSystem();
  // Releases what is still requested and closes what is still open.
  ~LibGpiodSystem() override;
  LibGpiodSystem(const LibGpiodSystem&) = delete;
  LibGpiodSystem& operator=(const LibGpiodSystem&) = delete;

  int OpenChip(const std::string& chip) override;
  std::vector<std::string> UnreadableChips() override;
  unsigned LineCount() override;
  int GetLines(std::span<const unsigned> offsets) override;
  int RequestOutputs(const std::string& consumer, std::span<const int> levels) override;
  int SetValues(std::span<const int> levels) override;
  void Release() override;
  void CloseChip() override;

 private:
  struct ChipClose {
    void operator()(gpiod_chip* chip) const;
  };
  std::unique_ptr<gpiod_chip, ChipClose> chip_;
  std::unique_ptr<gpiod_line_bulk> bulk_;
  bool requested_ = false;
};

}  // namespace quorvane::platform
