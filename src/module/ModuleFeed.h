#pragma once
// A port that passes every write on to the port behind it and shows each
// data-register byte to the emulated module, which hangs on the same lines,
// and each control-register byte, which drives its power switch. A byte the
// port behind refused never reached the lines: the module does not see it. It
// fails when the port behind it fails.

#include <cstdint>

#include "module/Pcd8544.h"
#include "platform/ports/Port.h"

namespace quorvane::module {

class ModuleFeed final : public platform::Port {
 public:
  ModuleFeed(platform::Port& inner, Pcd8544& module)
      : Port(inner), inner_(inner), module_(module) {}
  void Out32(std::uint16_t address, std::uint8_t value) override {
    inner_.Out32(address, value);
    if (Failed()) return;
    if (address == platform::kDataRegister) {
      module_.Write(value);
    } else if (address == platform::kControlRegister) {
      module_.WriteControl(value);
    }
  }
  // A flush comes before every wait and at the end of every action: the
  // lines then rest.
  void Flush() override {
    inner_.Flush();
    module_.Pause();
  }

 private:
  platform::Port& inner_;
  Pcd8544& module_;
};

}  // namespace quorvane::module
