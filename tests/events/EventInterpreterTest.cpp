#include "events/EventInterpreter.h"

#include <gtest/gtest.h>

#include "InterpreterRig.h"
#include "StepArrays.h"

namespace quorvane::events {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Steps;

struct Rig : testing::InterpreterRig {
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
      {"TX,&H10 , SL , DH , &H80", 0x00, Concat({{0x12, 0x13}, Repeat({0x10, 0x11}, 7)}), 0x11},
      {"TX,0x10 , SL , DH , 0X80", 0x00, Concat({{0x12, 0x13}, Repeat({0x10, 0x11}, 7)}), 0x11},
      // An empty value field, also before another field, sends the given byte.
      {"TX, 4,SL,DH,,5", 0x00, Repeat({0x04, 0x05}, 8), 0x05},
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
  EXPECT_EQ(
      rig.Run(Steps({"SB,21", "SB 21", "sb, 3", "SB,abc", "SB, 2.5", "SB, 3.5", "SB, 0x19"}), 0),
      (Bytes{0x15, 0x02, 0x04, 0x19}))
      << "'SB 21' and 'sb' are unknown kinds, 'abc' no number; halves go to the even neighbour";

  // A tab inside a number is no blank: the number cannot be read.
  rig.port.Clear();
  rig.sleeper.requests.clear();
  EXPECT_EQ(rig.Run(Steps({"SB, 1\t2", "SB, 1 2", "DL, 1\t5", "TX, 4\t8,SL,DH,1\t7"}), 0),
            Bytes{12});
  EXPECT_TRUE(rig.sleeper.requests.empty());
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
  EXPECT_TRUE(rig.diagnostics.Empty());

  // A file of 25 step lines: the five after the 20th are said not to run,
  // once however often the event runs.
  twenty.linesNotRun = 5;
  for (int run = 0; run < 3; ++run) rig.Run(twenty, 0);
  EXPECT_EQ(rig.diagnostics.Take(),
            std::vector<std::string>{"the event has 25 step lines: the 5 after the 20th are not "
                                     "run (an event runs at most 20 steps)"});
}

TEST(ExecuteEvent, UnknownKindsAreSkippedAndReportedButBlankLinesAreNot) {
  Rig rig;
  const auto steps =
      Steps({" X", "x", "", "   ", "tx", "Tx, 4,SL,DH,", "sb, 25", ", 5", "SB, 3", "X", "sb"});
  EXPECT_EQ(rig.Run(steps, 0), Bytes{0x03});
  std::vector<std::string> expected;
  for (const char* step : {" X", "x", "tx", "Tx, 4,SL,DH,", "sb, 25", ", 5"}) {
    expected.push_back(std::string("step '") + step +
                       "' skipped: unknown step kind (SB, DL or TX, in capitals; X alone ends the "
                       "event)");
  }
  EXPECT_EQ(rig.diagnostics.Messages(), expected);
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

TEST(ExecuteEvent, StepsOutOfRangeOrUnreadableAreSkippedAndReportedOnce) {
  Rig rig;
  rig.global.OutputByte = 0x19;
  const auto steps = Steps({"SB, 300", "TX, 4,SL,DH,256", "TX, 300,SL,DH,", "DL, 40000", "SB, -1",
                            "SB, 255.5", "SB, 1e999", "SB,abc", "TX, 4,SL,DH,zz", "TX, 0b1,SL,DH,",
                            "DL, 5ms", "SB, 21h", "SB, 7"});
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
                "step 'SB,abc' skipped: the value is not a number (write hex as 0x21 or &H21)",
                "step 'TX, 4,SL,DH,zz' skipped: the value to transmit is not a number (write hex "
                "as 0x21 or &H21)",
                "step 'TX, 0b1,SL,DH,' skipped: the static bits are not a number (write hex as "
                "0x21 or &H21)",
                "step 'DL, 5ms' skipped: the delay is not a number of milliseconds",
                "step 'SB, 21h' skipped: the value is not a number (write hex as 0x21 or &H21)",
            }));
  rig.Run(steps, 0);
  EXPECT_EQ(rig.diagnostics.Messages().size(), 12u) << "a second run reports nothing new";
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
    testing::InterpreterRig rig(true);
    rig.interpreter.ExecuteEvent(Steps({"SB, 25", "TX, 16,SL,DH,", "SB, 25"}), 0x21, dontUpdate);
    EXPECT_EQ(rig.port.Writes().size(), 18u);
    EXPECT_EQ(rig.display.calls.size(), dontUpdate ? 0u : 18u * 3);
  }
}

}  // namespace
}  // namespace quorvane::events
