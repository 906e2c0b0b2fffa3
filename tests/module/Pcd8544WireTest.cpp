// The serial wire as the controller decodes it from the data-register bytes:
// clock edges, chip select, partial bytes, RESET and D/C.

#include <gtest/gtest.h>

#include <bit>

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

TEST(Pcd8544Wire, PowersOnUndefinedWithArbitraryRamUntilTheFirstReset) {
  Pcd8544 module;
  EXPECT_TRUE(module.Supplied());
  EXPECT_FALSE(module.ResetSincePowerOn());
  EXPECT_EQ(module.Lines(), R);
  EXPECT_EQ(module.Log().Total(), 0u);
  // Not clear, and the same for the same seed.
  const Pcd8544::Ram powerOn = module.DisplayRam();
  EXPECT_NE(powerOn, Pcd8544::Ram{});
  int setBits = 0;
  for (const std::uint8_t byte : powerOn) setBits += std::popcount(byte);
  EXPECT_GT(setBits, 504 * 8 / 3);
  EXPECT_LT(setBits, 504 * 8 * 2 / 3);
  EXPECT_EQ(powerOn, Pcd8544::PowerOnRam(kPowerOnSeed));
  EXPECT_EQ(Pcd8544(7).DisplayRam(), Pcd8544(7).DisplayRam());
  EXPECT_NE(Pcd8544(7).DisplayRam(), powerOn);

  // Bytes are taken as the wire brings them; the log says once, at the first,
  // that no reset came before.
  Feed(module, {kIdle});
  testing::SendCommands(module, {0x21, 0xC8});
  EXPECT_FALSE(module.ResetSincePowerOn());
  EXPECT_EQ(LogLines(module), (Lines{"no reset since power-on: state undefined",
                                     "command 0x21 function set: active, horizontal, extended set",
                                     "command 0xC8 set Vop = 72 (7.38 V)"}));

  // A RESET low pulse sets the registers up and leaves the RAM as it was.
  Feed(module, {CS | CK, kIdle});
  EXPECT_TRUE(module.ResetSincePowerOn());
  EXPECT_EQ(module.State(), ControllerState{});
  EXPECT_EQ(module.DisplayRam(), powerOn);
  testing::SendData(module, {0x5A});
  EXPECT_EQ(LogLines(module).back(), "data 0x5A at X = 0, Y = 0");
  EXPECT_EQ(module.DisplayRam()[0], 0x5A);
  EXPECT_EQ(module.DisplayRam()[1], powerOn[1]);
}

TEST(Pcd8544Wire, ThePowerSwitchCyclesTheSupplyAndTheRamComesBackUndefined) {
  Pcd8544 module = testing::ResetModule();
  testing::SendData(module, {1, 2, 3});
  // Start-up: RESET raised from all-low, then 0xFF to the control register;
  // the port rests when start-up ends, so all lines low after it ("Do 0") is
  // no power switch.
  Pcd8544 started;
  started.Write(R);
  started.WriteControl(0xFF);
  started.Pause();
  started.Write(0);
  EXPECT_TRUE(started.Supplied());
  EXPECT_EQ(LogLines(started), (Lines{"RESET low: reset state"}));

  // Power off: 0xFF to the control register, then 0 to the data register.
  module.WriteControl(0xFF);
  module.Write(0);
  EXPECT_FALSE(module.Supplied());
  EXPECT_EQ(LogLines(module).back(), "supply off (power switch): the module ignores its lines");
  testing::SendCommands(module, {0x21});
  EXPECT_EQ(LogLines(module).back(), "supply off (power switch): the module ignores its lines");
  module.Write(0);
  // Power on: 0x00 to the control register, with RESET low from the power-off
  // write, then RESET low and released as the power-on sequence writes it.
  module.WriteControl(0x00);
  EXPECT_TRUE(module.Supplied());
  EXPECT_TRUE(module.ResetSincePowerOn()) << "RESET held low while the supply rises";
  EXPECT_EQ(module.DisplayRam(), Pcd8544::PowerOnRam(kPowerOnSeed));
  EXPECT_EQ(LogLines(module).back(), "supply on with RESET low: reset state, RAM undefined");
  module.Write(0xEF);
  module.Write(0xFF);
  EXPECT_EQ(module.State(), ControllerState{});

  // With RESET high as the supply comes back, the state is undefined again.
  module.WriteControl(0xFF);
  module.Write(0);
  module.Write(kIdle);
  module.WriteControl(0x00);
  EXPECT_FALSE(module.ResetSincePowerOn());
  EXPECT_EQ(LogLines(module).back(), "supply on: registers and RAM undefined");
  // 0xFF followed by anything but 0 on the data register switches nothing.
  module.WriteControl(0xFF);
  module.Write(kIdle);
  module.Write(0);
  EXPECT_TRUE(module.Supplied());
}

TEST(Pcd8544Wire, AnEdgeThatComesWithItsDataIsLoggedOncePerByte) {
  Pcd8544 module = testing::ResetModule();
  // 0xF0 clocked with SDA and the rising edge in the same write, as an event
  // with the clock idling low sends it: the level before each edge counts.
  std::vector<std::uint8_t> writes{R};
  for (int n = 7; n >= 0; --n) {
    const std::uint8_t sda = (0xF0 >> n & 1) ? SDA : 0;
    writes.push_back(static_cast<std::uint8_t>(R | sda | CK));
    writes.push_back(static_cast<std::uint8_t>(R | sda));
  }
  Feed(module, writes);
  Feed(module, {kIdle});
  // Bits read: 0 (the level before the first edge), 1, 1, 1, 1, 0, 0, 0;
  // SDA changed with the first and the fifth edge.
  EXPECT_EQ(LogLines(module),
            (Lines{"setup time violated: SDA changed with 2 clock edges; the levels before the "
                   "edges count",
                   "command 0x78 reserved in the basic set, ignored"}));
  // D/C raised with the eighth edge: a command, logged as such.
  Feed(module, {R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R,
                R | DC | CK, kIdle});
  EXPECT_EQ(LogLines(module).end()[-2],
            "setup time violated: D/C changed with the eighth clock edge; the levels before the "
            "edges count");
  EXPECT_EQ(LogLines(module).back(), "command 0x00 no operation");
  // A partial byte with a late bit, dropped by CS: logged before the drop.
  Feed(module, {R, R | SDA | CK, R | SDA, R | SDA | CK, R, R | CK, kIdle});
  EXPECT_EQ(LogLines(module).end()[-2],
            "setup time violated: SDA changed with 1 clock edge; the levels before the edges "
            "count");
  EXPECT_EQ(LogLines(module).back(), "dropped 3 bits: CS raised");
  // The shipped way, SDA set before the edge, logs nothing more.
  const auto before = module.Log().Total();
  testing::SendCommands(module, {0xF0});
  EXPECT_EQ(module.Log().Total(), before + 1);
}

TEST(Pcd8544Wire, ShiftsSdaInOnRisingEdgesMostSignificantBitFirst) {
  Pcd8544 module = testing::ResetModule();
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
  Pcd8544 module = testing::ResetModule();
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
        WireCase{"an edge in the write that lowers CS comes before CS: ignored, and logged",
                 {R | CS, R | CK | SDA},
                 {"clock edge ignored: CS fell in the same write; the chip takes an edge only "
                  "once CS is low and RESET high"},
                 0},
        WireCase{"a byte whose first edge comes with CS falling has seven bits",
                 {R | CS, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK, R, R | CK,
                  R, R | CK},
                 {"clock edge ignored: CS fell in the same write; the chip takes an edge only "
                  "once CS is low and RESET high"},
                 7},
        WireCase{"an edge in the write that raises CS: ignored, no partial byte",
                 {R, R | CS | CK},
                 {},
                 0},
        WireCase{"SDA changed with the rising edge is too late: the old level counts",
                 {R | SDA, R | CK, R, R | CK | SDA, R | SDA, R | SDA | CK, R, R | CK, R, R | CK, R,
                  R | CK, R, R | CK, R, R | CK},
                 {"setup time violated: SDA changed with 2 clock edges; the levels before the "
                  "edges count",
                  "command 0xA0 set X = 32"},
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
  Pcd8544 module = testing::ClearedModule();
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
  EXPECT_EQ(LogLines(module),
            (Lines{"RESET low: reset state",
                   "clock edge ignored: RESET rose in the same write; the chip takes an edge "
                   "only once CS is low and RESET high"}));
  // CS falling and RESET rising with the same edge: both said.
  Feed(module, {CS, R | CK});
  EXPECT_EQ(LogLines(module).back(),
            "clock edge ignored: CS fell and RESET rose in the same write; the chip takes an "
            "edge only once CS is low and RESET high");
  EXPECT_EQ(module.PendingBits(), 0);
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
