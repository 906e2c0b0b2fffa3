#pragma once
// A display step that keeps, in order, every call UpdateOutput makes on it.

#include <cstdint>
#include <string>
#include <vector>

#include "port/DisplayStep.h"

namespace quorvane::testing {

class RecordingDisplay final : public port::DisplayStep {
 public:
  void UpdateLeds(std::uint8_t Value) override { calls.push_back("leds " + std::to_string(Value)); }
  void UpdateVisualizerByte(std::uint8_t myByte) override {
    calls.push_back("trace " + std::to_string(myByte));
  }
  void RepaintNow() override { calls.push_back("repaint"); }
  std::vector<std::string> calls;
};

}  // namespace quorvane::testing
