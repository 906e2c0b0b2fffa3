#include "events/ByteWriter.h"

#include <gtest/gtest.h>

#include "InterpreterRig.h"
#include "StepArrays.h"
#include "events/ValueList.h"

namespace quorvane::events {
namespace {

// What the writer did, in order: "c33" a run of the command event with 33,
// "d7" of the data event, "w500" a wait. The test events write a marker byte
// that tells the command event (0xC0) from the data event (0xD0), then the byte.
class WriterRig : public testing::InterpreterRig {
 public:
  WriterRig() {
    global.CommandEventSteps = testing::Steps({"SB, 192", "TX, 0,SH,DH,"});
    global.DataEventSteps = testing::Steps({"SB, 208", "TX, 0,SH,DH,"});
  }

  std::vector<std::string> Send(const std::string& list, bool isCommand) {
    port.Clear();
    sleeper.requests.clear();
    ok = writer.MultiDataWrite(list, isCommand);
    return Actions();
  }

  ByteWriter writer{global, interpreter, sleeper, diagnostics};
  bool ok = false;

 private:
  // Decodes the recorded writes back into runs: 17 writes each, the marker,
  // then two per bit with SDA (bit 1) stable on the second.
  std::vector<std::string> Actions() const {
    std::vector<std::string> actions;
    const auto values = port.ValuesAt(0x378);
    for (std::size_t i = 0; i < values.size(); i += 17) {
      std::uint8_t byte = 0;
      for (int bit = 0; bit < 8; ++bit) {
        byte = static_cast<std::uint8_t>((byte << 1) | ((values[i + 2 + 2 * bit] >> 1) & 1));
      }
      actions.push_back(std::string(values[i] == 192 ? "c" : "d").append(std::to_string(byte)));
    }
    return actions;
  }
};

TEST(MultiDataWrite, SendsEachByteThroughTheChosenEvent) {
  WriterRig rig;
  using V = std::vector<std::string>;
  EXPECT_EQ(rig.Send("33, 200, 5, 21, 32, 9, #500, 8, #500, 13", true),
            (V{"c33", "c200", "c5", "c21", "c32", "c9", "c8", "c13"}));
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{500, 500}));
  EXPECT_EQ(rig.Send("33, 200, 5", false), (V{"d33", "d200", "d5"}));

  struct Case {
    const char* list;
    V sent;
    std::vector<std::uint32_t> waits;
  };
  const Case cases[] = {
      {"1,,2", {"c1"}, {}},
      {"1, 2,", {"c1", "c2"}, {}},
      {"", {}, {}},
      {" , 5", {}, {}},
      {"  7  ,  #20  ", {"c7"}, {20}},
      {"3 3", {"c33"}, {}},
      {"2.5, 3.5, 255", {"c2", "c4", "c255"}, {}},
      {"# 500, # 0", {}, {500, 0}},
      {"0x21, 0XC8, 0x04, &H10, &o17", {"c33", "c200", "c4", "c16", "c15"}, {}},
      {"#2.5", {}, {2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rig.Send(c.list, true), c.sent) << "'" << c.list << "'";
    EXPECT_EQ(rig.sleeper.requests, c.waits) << "'" << c.list << "'";
    EXPECT_TRUE(rig.ok);
  }
  EXPECT_TRUE(rig.diagnostics.Empty());
}

TEST(MultiDataWrite, WaitsComeBetweenTheRightBytes) {
  WriterRig rig;
  class OrderSleeper final : public platform::Sleeper {
   public:
    explicit OrderSleeper(WriterRig& rig) : rig_(rig) {}
    void Sleep(std::uint32_t ms) override {
      marks.push_back(rig_.port.Writes().size() / 17);
      marks.push_back(ms);
    }
    std::vector<std::size_t> marks;

   private:
    WriterRig& rig_;
  } sleeper(rig);
  EventInterpreter interpreter(rig.global, rig.output, sleeper, rig.diagnostics);
  ByteWriter writer(rig.global, interpreter, sleeper, rig.diagnostics);
  writer.MultiDataWrite("1, 2, #30, 3, #40", true);
  EXPECT_EQ(sleeper.marks, (std::vector<std::size_t>{2, 30, 3, 40}))
      << "30 ms after two bytes, 40 ms after three";
}

TEST(MultiDataWrite, RefusesAWholeListWithAnItemOutOfRangeOrNotANumber) {
  WriterRig rig;
  struct Case {
    const char* list;
    const char* error;
  };
  const Case cases[] = {
      {"1, 2, 256", "item 3, '256': not a byte (0 to 255)"},
      {"-1", "item 1, '-1': not a byte (0 to 255)"},
      {"1, 255.5", "item 2, '255.5': not a byte (0 to 255)"},
      {"1, #1e12, 2", "item 2, '#1e12': not a delay (up to 2147483647 ms)"},
      {"1e999", "item 1, '1e999': not a byte (0 to 255)"},
      {"0x21, 21h", "item 2, '21h': not a number (write hex as 0x21 or &H21)"},
      {"abc", "item 1, 'abc': not a number (write hex as 0x21 or &H21)"},
      {"0b0010", "item 1, '0b0010': not a number (write hex as 0x21 or &H21)"},
      {"33; 200", "item 1, '33; 200': not a number (write hex as 0x21 or &H21)"},
      {"5, 0x", "item 2, '0x': not a number (write hex as 0x21 or &H21)"},
      {"1\t2", "item 1, '1\t2': not a number (write hex as 0x21 or &H21)"},
      {"1, #", "item 2, '#': not a number of milliseconds (write a delay as #500)"},
      {"#5ms", "item 1, '#5ms': not a number of milliseconds (write a delay as #500)"},
  };
  for (const Case& c : cases) {
    rig.diagnostics.Take();
    EXPECT_TRUE(rig.Send(c.list, true).empty()) << c.list;
    EXPECT_TRUE(rig.sleeper.requests.empty()) << c.list;
    EXPECT_FALSE(rig.ok);
    EXPECT_EQ(rig.diagnostics.Messages(),
              std::vector<std::string>{std::string("The list was not sent: ") + c.error});
  }
  rig.diagnostics.Take();
  EXPECT_EQ(rig.Send("1,,256", true), std::vector<std::string>{"c1"})
      << "what follows the first empty item is not looked at";
}

TEST(MultiDataWrite, NegativeDelayWaitsZeroAndIsReported) {
  WriterRig rig;
  EXPECT_EQ(rig.Send("1, #-5, 2", true), (std::vector<std::string>{"c1", "c2"}));
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(rig.diagnostics.Messages(),
            std::vector<std::string>{"item 2, '#-5': a negative delay waits 0 ms"});
}

TEST(MultiDataWrite, AMissingStandardEventDropsBytesButStillWaits) {
  WriterRig rig;
  rig.global.CommandEventSteps = testing::Steps({});
  EXPECT_TRUE(rig.Send("1, #10, 2", true).empty());
  EXPECT_EQ(rig.sleeper.requests, (std::vector<std::uint32_t>{10}));
}

TEST(ValueList, LongListsAreReadWhole) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += std::to_string(i % 256) + ", ";
  text += "#1e12";
  const ValueList refused = ParseValueList(text);
  EXPECT_EQ(refused.error, "item 100001, '#1e12': not a delay (up to 2147483647 ms)");
  EXPECT_TRUE(refused.items.empty());
  text.resize(text.size() - 5);
  EXPECT_EQ(ParseValueList(text).items.size(), 100000u);
}

}  // namespace
}  // namespace quorvane::events
