// The serial wire as the controller decodes it from the data-register bytes:
// clock edges, chip select, partial bytes, RESET and D/C.

#include <gtest/gtest.h>

#include "ModuleWire.h"
#include "module/Pcd8544.h"

namespace quorvane::module {
namespace {

using testing::ClockedByte;
using testing::Feed;
using testing::kIdle;
using testing::LogLines;
using Lines = std::vector<std::string>;

constexpr std::uint8_t R = kResetLine, CS = kCsLine, DC = kDcLine, SDA = kSdaLine, CK = kSclkLine;

TEST(Pcd8544Wire, PowersOnInTheResetStateWithTheRamClear) {
  const Pcd8544 module;
  EXPECT_EQ(module.State(),
            (ControllerState{true, false, false, DisplayMode::Blank, 0, 0, 0, 0, 0}));
  EXPECT_EQ(module.DisplayRam(), Pcd8544::Ram{});
  EXPECT_EQ(module.Lines(), R);
  EXPECT_EQ(module.Log().Total(), 0u);
}

TEST(Pcd8544Wire, ShiftsSdaInOnRisingEdgesMostSignificantBitFirst) {
  Pcd8544 module;
  Feed(module, ClockedByte(0xA5, true));
  Feed(module, ClockedByte(0x01, true));
  EXPECT_EQ(LogLines(module), (Lines{"data 0xA5 at X = 0, Y = 0", "data 0x01 at X = 1, Y = 0"}));
  EXPECT_EQ(module.DisplayRam()[0], 0xA5);
  EXPECT_EQ(module.DisplayRam()[1], 0x01);
}

struct WireCase {
  const char* what;
  std::vector<std::uint8_t> writes;
  Lines log;
  int pendingBits;
};

void PrintTo(const WireCase& c, std::ostream* os) {
  *os << c.what;
}

class Pcd8544WireCases : public ::testing::TestWithParam<WireCase> {};

TEST_P(Pcd8544WireCases, DecodesTheLines) {
  Pcd8544 module;
  Feed(module, {kIdle});
  Feed(module, GetParam().writes);
  EXPECT_EQ(LogLines(module), GetParam().log) << GetParam().what;
  EXPECT_EQ(module.PendingBits(), GetParam().pendingBits) << GetParam().what;
}

// Each case starts from the idle lines: RESET and CS high, SCLK high.
INSTANTIATE_TEST_SUITE_P(
    Edges, Pcd8544WireCases,
    ::testing::Values(
        WireCase{"only rising edges count: two falls, two rises",
                 {R | SDA | CK, R | SDA, R | SDA | CK, R | SDA, R | SDA | CK},
                 {},
                 2},
        WireCase{"SDA toggling with SCLK steady samples nothing",
                 {R, R | SDA, R, R | SDA, R, R | SDA},
                 {},
                 0},
        WireCase{"CS high ignores the clock",
                 {R | CS, R | CS | CK, R | CS, R | CS | CK | SDA, R | CS | SDA},
                 {},
                 0},
        WireCase{"an edge in the write that lowers CS comes before CS: ignored",
                 {R | CS, R | CK | SDA},
                 {},
                 0},
        WireCase{"an edge in the write that raises CS: ignored, no partial byte",
                 {R, R | CS | CK},
                 {},
                 0},
        WireCase{"SDA changed with the rising edge is too late: the old level counts",
                 {R | SDA, R | CK, R, R | CK | SDA, R | SDA, R | SDA | CK, R, R | CK, R, R | CK, R,
                  R | CK, R, R | CK, R, R | CK},
                 {"command 0xA0 set X = 32"},
                 0},
        WireCase{"CS raised after five bits drops them; the next byte starts afresh",
                 {R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R | CS | CK,
                  R | SDA,
                  R | SDA | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R | SDA,
                  R | SDA | CK},
                 {"dropped 5 bits: CS raised", "command 0x81 set X = 1"},
                 0},
        WireCase{"CS may stay low across bytes",
                 {R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC,
                  R | DC | CK,
                  R | DC | SDA,
                  R | DC | SDA | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK,
                  R,
                  R | CK},
                 {"data 0x01 at X = 0, Y = 0", "command 0x00 no operation"},
                 0},
        WireCase{
            "D/C counts only as it stands at the eighth edge: low then, a command",
            {R | DC, R | DC | CK, R | DC, R | DC | CK, R | DC, R | DC | CK, R | DC, R | DC | CK,
             R | DC, R | DC | CK, R | DC, R | DC | CK, R | DC, R | DC | CK, R | SDA, R | SDA | CK},
            {"command 0x01 reserved in the basic set, ignored"},
            0},
        WireCase{"D/C high only at the eighth edge: data",
                 {R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK,
                  R | DC | SDA, R | DC | SDA | CK},
                 {"data 0x01 at X = 0, Y = 0"},
                 0},
        WireCase{"a seven-bit byte waits for its eighth bit",
                 {R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK},
                 {},
                 7}),
    [](const ::testing::TestParamInfo<WireCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(Pcd8544Wire, ResetLowInterruptsTheByteAndSetsTheResetStateKeepingTheRam) {
  Pcd8544 module;
  testing::SendCommands(module, {0x21, 0xC8, 0x06, 0x13, 0x22, 0x0D, 0x85, 0x41});
  testing::SendData(module, {0x3C});
  const ControllerState before = module.State();
  EXPECT_EQ(before, (ControllerState{false, true, false, DisplayMode::Inverse, 5, 2, 2, 3, 72}));
  Feed(module, {R, R | CK, R, R | CK | SDA, R | SDA, R | SDA | CK});  // three bits
  ASSERT_EQ(module.PendingBits(), 3);

  // RESET held low over several writes, the clock running meanwhile.
  Feed(module, {SDA | CK, SDA, SDA | CK, CS, CS | CK});
  EXPECT_EQ(module.State(), ControllerState{});
  EXPECT_EQ(module.PendingBits(), 0);
  Pcd8544::Ram expectedRam{};
  expectedRam[1 * kColumns + 5] = 0x3C;
  EXPECT_EQ(module.DisplayRam(), expectedRam);
  const Lines log = LogLines(module);
  EXPECT_EQ(Lines(log.end() - 2, log.end()),
            (Lines{"dropped 3 bits: RESET low", "RESET low: reset state"}));

  // Released, the module takes the next byte from the reset state.
  Feed(module, {kIdle});
  testing::SendData(module, {0x81});
  EXPECT_EQ(LogLines(module).back(), "data 0x81 at X = 0, Y = 0");
  EXPECT_EQ(module.State().x, 1);
}

TEST(Pcd8544Wire, AnEdgeInTheWriteThatReleasesResetIsIgnored) {
  Pcd8544 module;
  Feed(module, {0, R | CK});
  EXPECT_EQ(module.PendingBits(), 0);
  EXPECT_EQ(LogLines(module), (Lines{"RESET low: reset state"}));
}

TEST(Pcd8544Wire, TellsItsListenerOfEveryByteDropAndReset) {
  struct Counter final : ChangeListener {
    void ModuleChanged() override { ++changes; }
    int changes = 0;
  } counter;
  Pcd8544 module;
  module.SetChangeListener(&counter);
  testing::SendCommands(module, {0x21, 0x80});
  Feed(module, {R, R | CK, R | CS});  // one bit, dropped
  Feed(module, {CS});                 // reset
  Feed(module, {CS, CS | CK});        // held: nothing new
  EXPECT_EQ(counter.changes, 4);
  module.SetChangeListener(nullptr);
  testing::SendData(module, {1});
  EXPECT_EQ(counter.changes, 4);
}

}  // namespace
}  // namespace quorvane::module
