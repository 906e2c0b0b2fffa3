#include "port/OutputPort.h"

#include <gtest/gtest.h>

#include "RecordingDisplay.h"
#include "platform/ports/SimPort.h"

namespace quorvane::port {
namespace {

using platform::PortWrite;
using platform::SimPort;

// The port itself appends to the display's call list, so the order of display
// work and port write can be checked in one sequence.
class OrderedPort final : public platform::Port {
 public:
  explicit OrderedPort(std::vector<std::string>& calls) : calls_(calls) {}
  void Out32(std::uint16_t address, std::uint8_t value) override {
    calls_.push_back("out " + std::to_string(address) + " " + std::to_string(value));
  }

 private:
  std::vector<std::string>& calls_;
};

TEST(UpdateOutput, DisplayWorkComesBeforeThePortWrite) {
  testing::RecordingDisplay display;
  OrderedPort port(display.calls);
  OutputPort output(port, &display);
  output.UpdateOutput(0x15, false);
  EXPECT_EQ(display.calls,
            (std::vector<std::string>{"leds 21", "trace 21", "repaint", "out 888 21"}));
}

TEST(UpdateOutput, DontUpdateFormMakesExactlyOnePortWrite) {
  testing::RecordingDisplay display;
  SimPort port;
  OutputPort output(port, &display);
  output.UpdateOutput(0xA5, true);
  EXPECT_TRUE(display.calls.empty());
  EXPECT_EQ(port.Writes(), (std::vector<PortWrite>{{0x378, 0xA5}}));
}

TEST(HighAndLow, ComputeTheLineAndWriteOnlyWhenAsked) {
  struct Case {
    bool high;
    std::uint8_t value;
    bool write;
    std::uint8_t result;
  };
  const Case cases[] = {
      {true, 0x10, true, 0x10},                              // already high: still written
      {true, 0x00, false, 0x10},                             // not written
      {true, 0xEF, true, 0xFF},  {false, 0x00, true, 0x00},  // "Do 0" writes 0 this way
      {false, 0xFF, true, 0xEF}, {false, 0x1F, false, 0x0F},
  };
  for (const Case& c : cases) {
    testing::RecordingDisplay display;
    SimPort port;
    OutputPort output(port, &display);
    const std::uint8_t result = c.high ? output.High(c.value, kResetLine, c.write)
                                       : output.Low(c.value, kResetLine, c.write);
    EXPECT_EQ(result, c.result) << (c.high ? "High " : "Low ") << int{c.value};
    if (c.write) {
      EXPECT_EQ(port.Writes(), (std::vector<PortWrite>{{0x378, c.result}}));
      EXPECT_EQ(display.calls.size(), 3u) << "written with the display updated";
    } else {
      EXPECT_TRUE(port.Writes().empty());
    }
  }
}

TEST(ReverseBits, MirrorsTheBitOrder) {
  EXPECT_EQ(ReverseBits(0x01), 0x80);
  EXPECT_EQ(ReverseBits(0x12), 0x48);
  EXPECT_EQ(ReverseBits(0xFF), 0xFF);
  EXPECT_EQ(ReverseBits(0x00), 0x00);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(ReverseBits(ReverseBits(static_cast<std::uint8_t>(b))), b);
  }
}

}  // namespace
}  // namespace quorvane::port
