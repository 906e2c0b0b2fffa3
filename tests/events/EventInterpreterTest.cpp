#include "events/EventInterpreter.h"

#include <gtest/gtest.h>

#include "RecordingDisplay.h"
#include "RecordingSleeper.h"
#include "StepArrays.h"
#include "global/Diagnostics.h"
#include "platform/ports/SimPort.h"
#include "port/OutputPort.h"

namespace quorvane::events {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Steps;

struct Rig {
  global::Global global;
  platform::SimPort port;
  testing::RecordingSleeper sleeper;
  global::Diagnostics diagnostics;
  port::OutputPort output{port};
  EventInterpreter interpreter{global, output, sleeper, diagnostics};

  Bytes Run(const global::StepArray& steps, std::uint8_t value) {
    interpreter.ExecuteEvent(steps, value, true);
    return port.ValuesAt(0x378);
  }
};

Bytes Repeat(Bytes unit, int times) {
  Bytes bytes;
  for (int i = 0; i < times; ++i) bytes.insert(bytes.end(), unit.begin(), unit.end());
  return bytes;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes bytes;
  for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
  return bytes;
}

TEST(ExecuteEvent, TransmitStepsClockEveryBitWithTwoWrites) {
  struct Case {
    const char* step;
    std::uint8_t value;
    Bytes writes;
    std::uint8_t finalByte;
  };
  const Case cases[] = {
      {"TX, 8,SL,DH,", 0x80, Concat({{0x0A, 0x0B}, Repeat({0x08, 0x09}, 7)}), 0x09},
      {"TX, 0,SH,DH,", 0x01, Concat({Repeat({0x01, 0x00}, 7), {0x03, 0x02}}), 0x02},
      {"TX, 0,SL,DL,", 0x01, Concat({{0x02, 0x03}, Repeat({0x00, 0x01}, 7)}), 0x01},
      {"TX, 4,SL,DH,",
       0xA5,
       {0x06, 0x07, 0x04, 0x05, 0x06, 0x07, 0x04, 0x05, 0x04, 0x05, 0x06, 0x07, 0x04, 0x05, 0x06,
        0x07},
       0x07},
      // A value field sends its own byte, whatever byte was given.
      {"TX, 12,SH,DL,200",
       0x55,
       {0x0D, 0x0C, 0x0D, 0x0C, 0x0D, 0x0C, 0x0F, 0x0E, 0x0D, 0x0C, 0x0D, 0x0C, 0x0F, 0x0E, 0x0F,
        0x0E},
       0x0E},
      // Bit 0 in the bits field runs the "SH" clock inverted: idle high.
      {"TX, 1,SH,DH,", 0x00, Repeat({0x00, 0x01}, 8), 0x01},
      // "TX" alone: bits 0, not "SH", not "DL", the given byte.
      {"TX", 0x80, Concat({{0x02, 0x03}, Repeat({0x00, 0x01}, 7)}), 0x01},
      // Numbers that cannot be read count as 0.
      {"TX, 4,SL,DH,abc", 0xFF, Repeat({0x04, 0x05}, 8), 0x05},
      {"TX,&H10 , SL , DH , &H80", 0x00, Concat({{0x12, 0x13}, Repeat({0x10, 0x11}, 7)}), 0x11},
  };
  for (const Case& c : cases) {
    Rig rig;
    EXPECT_EQ(rig.Run(Steps({c.step}), c.value), c.writes) << c.step;
    EXPECT_EQ(rig.global.OutputByte, c.finalByte) << c.step;
    EXPECT_TRUE(rig.diagnostics.Empty()) << c.step;
  }
}

TEST(ExecuteEvent, StaticBitsAndDelays) {
  Rig rig;
  EXPECT_EQ(rig.Run(Steps({"SB, 21"}), 0), Bytes{0x15});
  EXPECT_EQ(rig.global.OutputByte, 0x15);

  rig.port.Clear();
  EXPECT_EQ(rig.Run(Steps({"DL, 10"}), 0), Bytes{0x15}) << "the unchanged byte is written again";
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{10}));

  rig.port.Clear();
  EXPECT_EQ(rig.Run(Steps({"SB,21", "SB 21", "sb, 3", "SB,abc", "SB, 2.5", "SB, 3.5"}), 0),
            (Bytes{0x15, 0x00, 0x02, 0x04}))
      << "'SB 21' and 'sb' are unknown kinds; 'abc' reads as 0; halves go to the even neighbour";

  // A tab inside a number is no blank: it ends the number.
  rig.port.Clear();
  rig.sleeper.requests.clear();
  EXPECT_EQ(rig.Run(Steps({"SB, 1\t2", "SB, 1 2", "DL, 1\t5", "TX, 4\t8,SL,DH,1\t7"}), 0).front(),
            0x01);
  EXPECT_EQ(rig.global.OutputByte & 0x0C, 0x04) << "the transmit step's bits read 4, not 48";
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{1}));
}

TEST(ExecuteEvent, LinesTwoToSevenFollowTheTransmitStepsBits) {
  Rig rig;
  const Bytes writes = rig.Run(Steps({"SB, 8", "TX, 0,SL,DH,", "SB, 8"}), 0x00);
  EXPECT_EQ(writes, Concat({{0x08}, Repeat({0x00, 0x01}, 8), {0x08}}));
}

TEST(ExecuteEvent, EndsAtTheFirstXAndAfterSlot19) {
  Rig rig;
  global::StepArray steps = Steps({"SB, 1"});
  for (std::size_t slot = 2; slot < global::kMaxSteps; ++slot) steps[slot] = "SB, 2";
  EXPECT_EQ(rig.Run(steps, 0), Bytes{0x01});

  global::StepArray twenty;
  for (std::size_t slot = 0; slot < global::kStepSlots; ++slot) {
    twenty[slot] = "SB, " + std::to_string(slot);
  }
  rig.port.Clear();
  const Bytes writes = rig.Run(twenty, 0);
  ASSERT_EQ(writes.size(), 20u) << "slot 20 is never looked at";
  EXPECT_EQ(writes.back(), 19);

  rig.port.Clear();
  EXPECT_EQ(rig.Run(Steps({" X", "x", "", "tx", "Tx, 4,SL,DH,", "SB, 3"}), 0), Bytes{0x03});
}

TEST(ExecuteEvent, EmptyArraysWriteNothing) {
  Rig rig;
  EXPECT_TRUE(rig.Run(Steps({}), 0x55).empty());
  EXPECT_TRUE(rig.Run(global::StepArray{}, 0x55).empty()) << "slots never read hold empty strings";
  EXPECT_TRUE(rig.sleeper.requests.empty());
}

TEST(ExecuteEvent, TheByteToTransmitCarriesOverWithinARun) {
  Rig rig;
  // The second step inherits the 0x80 of the first step's value field.
  const Bytes writes = rig.Run(Steps({"TX, 0,SL,DH,128", "TX, 0,SL,DH,"}), 0x00);
  const Bytes oneByte = Concat({{0x02, 0x03}, Repeat({0x00, 0x01}, 7)});
  EXPECT_EQ(writes, Concat({oneByte, oneByte}));

  // "DL" mirrors the shared byte; a second "DL" step mirrors it back.
  rig.port.Clear();
  const Bytes mirrored = rig.Run(Steps({"TX, 0,SL,DL,", "TX, 0,SL,DL,"}), 0x01);
  const Bytes lsbFirst = Concat({{0x02, 0x03}, Repeat({0x00, 0x01}, 7)});
  const Bytes msbFirst = Concat({Repeat({0x00, 0x01}, 7), {0x02, 0x03}});
  EXPECT_EQ(mirrored, Concat({lsbFirst, msbFirst}));
}

TEST(ExecuteEvent, StepsOutOfRangeAreSkippedAndReportedOnce) {
  Rig rig;
  rig.global.OutputByte = 0x19;
  const auto steps = Steps({"SB, 300", "TX, 4,SL,DH,256", "TX, 300,SL,DH,", "DL, 40000", "SB, -1",
                            "SB, 255.5", "SB, 1e999", "SB, 7"});
  EXPECT_EQ(rig.Run(steps, 0), Bytes{0x07});
  EXPECT_TRUE(rig.sleeper.requests.empty());
  EXPECT_EQ(rig.diagnostics.Messages(),
            (std::vector<std::string>{
                "step 'SB, 300' skipped: the value is not a byte (0 to 255)",
                "step 'TX, 4,SL,DH,256' skipped: the value to transmit is not a byte (0 to 255)",
                "step 'TX, 300,SL,DH,' skipped: the static bits are not a byte (0 to 255)",
                "step 'DL, 40000' skipped: the delay is outside -32768 to 32767 ms",
                "step 'SB, -1' skipped: the value is not a byte (0 to 255)",
                "step 'SB, 255.5' skipped: the value is not a byte (0 to 255)",
                "step 'SB, 1e999' skipped: the value is not a byte (0 to 255)",
            }));
  rig.Run(steps, 0);
  EXPECT_EQ(rig.diagnostics.Messages().size(), 7u) << "a second run reports nothing new";
}

TEST(ExecuteEvent, NegativeDelayWaitsZeroAndIsReported) {
  Rig rig;
  EXPECT_EQ(rig.Run(Steps({"SB, 4", "DL, -5"}), 0), (Bytes{0x04, 0x04}));
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(rig.diagnostics.Messages(),
            (std::vector<std::string>{"step 'DL, -5': a negative delay waits 0 ms"}));
}

TEST(ExecuteEvent, DisplayUpdatingFollowsDontUpdateForm) {
  for (const bool dontUpdate : {false, true}) {
    global::Global global;
    platform::SimPort port;
    testing::RecordingDisplay display;
    testing::RecordingSleeper sleeper;
    global::Diagnostics diagnostics;
    port::OutputPort output(port, &display);
    EventInterpreter interpreter(global, output, sleeper, diagnostics);
    interpreter.ExecuteEvent(Steps({"SB, 25", "TX, 16,SL,DH,", "SB, 25"}), 0x21, dontUpdate);
    EXPECT_EQ(port.Writes().size(), 18u);
    EXPECT_EQ(display.calls.size(), dontUpdate ? 0u : 18u * 3);
  }
}

}  // namespace
}  // namespace quorvane::events
