#include "port/PowerSequences.h"

#include <gtest/gtest.h>

#include "RecordingDisplay.h"
#include "RecordingSleeper.h"
#include "global/Global.h"
#include "platform/ports/SimPort.h"
#include "port/OutputPort.h"

namespace quorvane::port {
namespace {

using platform::PortWrite;

struct Rig {
  global::Global global;
  platform::SimPort port;
  testing::RecordingDisplay display;
  testing::RecordingSleeper sleeper;
  OutputPort output{port, &display};
};

TEST(PowerSequences, PowerOnFromAnyByteEndsAllHighAfterThreeWrites) {
  for (const std::uint8_t before : {0x00, 0x10, 0x5A, 0xFF}) {
    Rig rig;
    rig.global.OutputByte = before;
    PowerOn(rig.global, rig.output, rig.sleeper);
    EXPECT_EQ(rig.port.Writes(),
              (std::vector<PortWrite>{{0x37A, 0x00}, {0x378, 0xEF}, {0x378, 0xFF}}));
    EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{50, 500}));
    EXPECT_EQ(rig.global.OutputByte, 0xFF);
    EXPECT_EQ(rig.display.calls.size(), 6u);  // both data writes show on screen
  }
}

TEST(PowerSequences, PowerOffLeavesTheDisplayShowingTheStateBefore) {
  Rig rig;
  rig.global.OutputByte = 0x19;
  PowerOff(rig.global, rig.output);
  EXPECT_EQ(rig.port.Writes(), (std::vector<PortWrite>{{0x37A, 0xFF}, {0x378, 0x00}}));
  EXPECT_EQ(rig.global.OutputByte, 0);
  EXPECT_TRUE(rig.display.calls.empty());
  EXPECT_TRUE(rig.sleeper.requests.empty());
}

TEST(PowerSequences, DoZeroWritesZeroWithTheDisplayAndLeavesControlAlone) {
  Rig rig;
  rig.global.OutputByte = 0xFF;
  DoZero(rig.global, rig.output);
  EXPECT_EQ(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x00}}));
  EXPECT_EQ(rig.global.OutputByte, 0);
  EXPECT_EQ(rig.display.calls, (std::vector<std::string>{"leds 0", "trace 0", "repaint"}));
}

TEST(PowerSequences, StartupAndShutdownWrites) {
  Rig rig;
  rig.global.OutputByte = 0x07;
  StartupRaiseReset(rig.global, rig.output, rig.sleeper);
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{500}));
  EXPECT_EQ(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x10}, {0x37A, 0xFF}}));
  EXPECT_EQ(rig.global.OutputByte, 0x10);
  EXPECT_EQ(rig.display.calls, (std::vector<std::string>{"leds 16", "trace 16", "repaint"}));

  rig.port.Clear();
  rig.display.calls.clear();
  ShutdownWrites(rig.output);
  EXPECT_EQ(rig.port.Writes(), (std::vector<PortWrite>{{0x378, 0x00}, {0x37A, 0x00}}));
  EXPECT_EQ(rig.global.OutputByte, 0x10) << "exit leaves the output byte as it was";
  EXPECT_TRUE(rig.display.calls.empty());
}

}  // namespace
}  // namespace quorvane::port
