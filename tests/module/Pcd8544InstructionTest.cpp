// The instruction set in both sets, the meaning the log gives each command,
// and the address counter in both addressing modes.

#include <gtest/gtest.h>

#include "ModuleWire.h"
#include "module/Instruction.h"
#include "module/Pcd8544.h"
#include "module/StateText.h"

namespace quorvane::module {
namespace {

using testing::LogLines;
using testing::SendCommands;
using testing::SendData;

struct Meaning {
  bool extended;
  std::uint8_t byte;
  const char* text;
};

TEST(Pcd8544Instructions, EveryInstructionHasItsMeaning) {
  const Meaning cases[] = {
      {false, 0x00, "0x00 no operation"},
      {true, 0x00, "0x00 no operation"},
      {false, 0x20, "0x20 function set: active, horizontal, basic set"},
      {true, 0x21, "0x21 function set: active, horizontal, extended set"},
      {false, 0x27,
       "0x27 function set: power-down, vertical, extended set (VLCD 0 V, generator off)"},
      {false, 0x08, "0x08 display control: blank"},
      {false, 0x09, "0x09 display control: all on"},
      {false, 0x0C, "0x0C display control: normal"},
      {false, 0x0D, "0x0D display control: inverse video"},
      {false, 0x0A, "0x0A reserved in the basic set, ignored"},
      {false, 0x40, "0x40 set Y = 0"},
      {false, 0x45, "0x45 set Y = 5"},
      {false, 0x46, "0x46 set Y = 6: out of range (0 to 5), ignored"},
      {false, 0x47, "0x47 set Y = 7: out of range (0 to 5), ignored"},
      {false, 0x48, "0x48 reserved in the basic set, ignored"},
      {false, 0x80, "0x80 set X = 0"},
      {false, 0xD3, "0xD3 set X = 83"},
      {false, 0xD4, "0xD4 set X = 84: out of range (0 to 83), ignored"},
      {false, 0xC8, "0xC8 set X = 72"},
      {true, 0xC8, "0xC8 set Vop = 72 (7.38 V)"},
      {true, 0x80, "0x80 set Vop = 0 (0 V, generator off)"},
      {true, 0xFF, "0xFF set Vop = 127 (10.68 V, exceeds the 8.5 V rating)"},
      {true, 0xDA, "0xDA set Vop = 90 (8.46 V)"},
      {true, 0xDB, "0xDB set Vop = 91 (8.52 V, exceeds the 8.5 V rating)"},
      {true, 0xB1, "0xB1 set Vop = 49 (6.00 V)"},
      {true, 0xB0, "0xB0 set Vop = 48 (5.94 V, below the 6.0 V rating)"},
      {true, 0x04, "0x04 temperature coefficient 0"},
      {true, 0x07, "0x07 temperature coefficient 3"},
      {true, 0x10, "0x10 bias system 0 (n = 7)"},
      {true, 0x13, "0x13 bias system 3 (n = 4)"},
      {true, 0x15, "0x15 bias system 5 (n = 2)"},
      {true, 0x17, "0x17 bias system 7 (n = 0)"},
      {false, 0x05, "0x05 reserved in the basic set, ignored"},
      {false, 0x13, "0x13 reserved in the basic set, ignored"},
      {true, 0x01, "0x01 reserved in the extended set, ignored"},
      {true, 0x0C, "0x0C reserved in the extended set, ignored"},
      {true, 0x18, "0x18 reserved in the extended set, ignored"},
      {true, 0x28, "0x28 reserved in the extended set, ignored"},
      {true, 0x45, "0x45 reserved in the extended set, ignored"},
  };
  for (const Meaning& c : cases) {
    EXPECT_EQ(DescribeCommand(c.byte, c.extended), c.text);
  }
  // Taken in power-down, Set Vop programs a voltage the generator gives only
  // once active.
  EXPECT_EQ(DescribeCommand(0xC8, true, true),
            "0xC8 set Vop = 72 (0 V, generator off in power-down; 7.38 V once active)");
  EXPECT_EQ(DescribeCommand(0xFF, true, true),
            "0xFF set Vop = 127 (0 V, generator off in power-down; 10.68 V once active, exceeds "
            "the 8.5 V rating)");
  EXPECT_EQ(DescribeCommand(0x80, true, true), "0x80 set Vop = 0 (0 V, generator off)");
}

struct Execution {
  std::vector<std::uint8_t> commands;
  ControllerState expected;
};

TEST(Pcd8544Instructions, CommandsSetTheRegisters) {
  using enum DisplayMode;
  const Execution cases[] = {
      {{0x21}, {false, false, true, Blank, 0, 0, 0, 0, 0}},
      {{0x27}, {true, true, true, Blank, 0, 0, 0, 0, 0}},
      {{0x22}, {false, true, false, Blank, 0, 0, 0, 0, 0}},
      {{0x20, 0x24}, {true, false, false, Blank, 0, 0, 0, 0, 0}},
      {{0x20, 0x0C}, {false, false, false, Normal, 0, 0, 0, 0, 0}},
      {{0x20, 0x09}, {false, false, false, AllOn, 0, 0, 0, 0, 0}},
      {{0x20, 0x0D}, {false, false, false, Inverse, 0, 0, 0, 0, 0}},
      {{0x20, 0x0C, 0x08}, {false, false, false, Blank, 0, 0, 0, 0, 0}},
      {{0x20, 0x45}, {false, false, false, Blank, 0, 5, 0, 0, 0}},
      {{0x20, 0x43, 0x46, 0x47}, {false, false, false, Blank, 0, 3, 0, 0, 0}},
      {{0x20, 0xD3}, {false, false, false, Blank, 83, 0, 0, 0, 0}},
      {{0x20, 0x8A, 0xD4, 0xFF}, {false, false, false, Blank, 10, 0, 0, 0, 0}},
      {{0x20, 0xC8}, {false, false, false, Blank, 72, 0, 0, 0, 0}},
      {{0x21, 0x06}, {false, false, true, Blank, 0, 0, 2, 0, 0}},
      {{0x21, 0x07, 0x04}, {false, false, true, Blank, 0, 0, 0, 0, 0}},
      {{0x21, 0x13}, {false, false, true, Blank, 0, 0, 0, 3, 0}},
      {{0x21, 0x17}, {false, false, true, Blank, 0, 0, 0, 7, 0}},
      {{0x21, 0xC8}, {false, false, true, Blank, 0, 0, 0, 0, 72}},
      {{0x21, 0xFF, 0x80}, {false, false, true, Blank, 0, 0, 0, 0, 0}},
      {{0x20, 0x85, 0x21, 0xC8}, {false, false, true, Blank, 5, 0, 0, 0, 72}},
      // Reserved patterns leave everything as it was.
      {{0x21, 0x45, 0x0C, 0x01}, {false, false, true, Blank, 0, 0, 0, 0, 0}},
      {{0x20, 0x05, 0x13, 0x0E}, {false, false, false, Blank, 0, 0, 0, 0, 0}},
      // The default init sequence: it ends in inverse video.
      {{33, 200, 5, 21, 32, 9, 8, 13}, {false, false, false, Inverse, 0, 0, 1, 5, 72}},
  };
  for (const Execution& c : cases) {
    Pcd8544 module;
    for (const std::uint8_t byte : c.commands) SendCommands(module, {byte});
    EXPECT_EQ(module.State(), c.expected) << "after " << LogLines(module).back();
  }
}

// Every byte that the log calls reserved, ignored or no operation leaves the
// registers and the RAM alone, in both sets; the counts pin the decoding.
TEST(Pcd8544Instructions, ReservedAndIgnoredBytesChangeNothing) {
  for (const bool extended : {false, true}) {
    int reserved = 0, ignored = 0;
    for (int byte = 0; byte < 256; ++byte) {
      Pcd8544 module;
      SendCommands(module, {0x20, 0x0C});
      SendData(module, {0xAA});
      if (extended) SendCommands(module, {0x21});
      const ControllerState before = module.State();
      const Pcd8544::Ram ram = module.DisplayRam();
      SendCommands(module, {static_cast<std::uint8_t>(byte)});
      const std::string text = LogLines(module).back();
      const bool isReserved = text.find("reserved") != std::string::npos;
      const bool isIgnored = text.find("ignored") != std::string::npos;
      if (isReserved || isIgnored || byte == 0) {
        EXPECT_EQ(module.State(), before) << text;
        EXPECT_EQ(module.DisplayRam(), ram) << text;
      }
      reserved += isReserved;
      ignored += isIgnored && !isReserved;
    }
    EXPECT_EQ(reserved, 107) << (extended ? "extended" : "basic");
    EXPECT_EQ(ignored, extended ? 0 : 2 + 44) << "out-of-range Y and X addresses";
  }
}

TEST(Pcd8544Addressing, HorizontalFillsBankByBankAndWrapsToTheStart) {
  Pcd8544 module;
  SendCommands(module, {0x20});
  for (int k = 0; k < kColumns * kBanks; ++k) SendData(module, {static_cast<std::uint8_t>(k * 7)});
  for (int k = 0; k < kColumns * kBanks; ++k) {
    ASSERT_EQ(module.DisplayRam()[static_cast<std::size_t>(k)], static_cast<std::uint8_t>(k * 7));
  }
  EXPECT_EQ(module.State().x, 0);
  EXPECT_EQ(module.State().y, 0);

  SendCommands(module, {0xD3, 0x42});
  SendData(module, {1});
  EXPECT_EQ(LogLines(module).back(), "data 0x01 at X = 83, Y = 2");
  EXPECT_EQ(module.State().x, 0);
  EXPECT_EQ(module.State().y, 3);
  SendCommands(module, {0xD3, 0x45});
  SendData(module, {2});
  EXPECT_EQ(module.State().x, 0);
  EXPECT_EQ(module.State().y, 0);
}

TEST(Pcd8544Addressing, VerticalFillsColumnByColumnAndWrapsToTheStart) {
  Pcd8544 module;
  SendCommands(module, {0x22});
  for (int k = 0; k < kColumns * kBanks; ++k) SendData(module, {static_cast<std::uint8_t>(k * 7)});
  for (int k = 0; k < kColumns * kBanks; ++k) {
    const int x = k / kBanks, y = k % kBanks;
    ASSERT_EQ(module.DisplayRam()[static_cast<std::size_t>(y * kColumns + x)],
              static_cast<std::uint8_t>(k * 7))
        << "byte " << k;
  }
  EXPECT_EQ(module.State().x, 0);
  EXPECT_EQ(module.State().y, 0);

  SendCommands(module, {0x84, 0x45});
  SendData(module, {1});
  EXPECT_EQ(module.State().x, 5);
  EXPECT_EQ(module.State().y, 0);
  SendCommands(module, {0xD3, 0x45});
  SendData(module, {2});
  EXPECT_EQ(module.State().x, 0);
  EXPECT_EQ(module.State().y, 0);
}

TEST(Pcd8544Addressing, DataBitZeroIsTheTopRowOfTheBank) {
  Pcd8544 module;
  SendCommands(module, {0x20, 0x83, 0x42});
  SendData(module, {0x81});
  EXPECT_TRUE(module.RamDot(3, 16));
  EXPECT_TRUE(module.RamDot(3, 23));
  for (int row = 17; row < 23; ++row) EXPECT_FALSE(module.RamDot(3, row)) << row;
  EXPECT_FALSE(module.RamDot(-1, 0));
  EXPECT_FALSE(module.RamDot(84, 0));
  EXPECT_FALSE(module.RamDot(0, 48));
}

TEST(Pcd8544Log, KeepsTheNewestEntriesAndCountsAll) {
  DecodedLog log(3);
  for (std::uint8_t value = 1; value <= 5; ++value) log.Add({LogKind::Data, value});
  EXPECT_EQ(log.Total(), 5u);
  EXPECT_EQ(log.FirstKept(), 2u);
  EXPECT_EQ(log.At(2).value, 3);
  EXPECT_EQ(log.At(4).value, 5);
  EXPECT_EQ(log.At(1), LogEntry{}) << "no longer kept";
  EXPECT_EQ(log.At(5), LogEntry{}) << "not yet written";
  EXPECT_EQ(log.Clears(), 0u);
  log.Clear();
  EXPECT_EQ(log.Total(), 0u);
  EXPECT_EQ(log.Clears(), 1u);
  EXPECT_EQ(DescribeEntry({LogKind::DroppedByCs, 1}), "dropped 1 bit: CS raised");
}

TEST(Pcd8544Log, TheReportCountsTheEntriesNoLongerKept) {
  Pcd8544 module = testing::ResetModule();
  for (std::size_t n = 0; n <= kLogCapacity; ++n) SendData(module, {0x01});
  const std::string one = StateReport(module, Mounting::Rotated180);
  EXPECT_NE(one.find("log-entries=20001\n(1 earlier entry not kept)\n"), std::string::npos);
  SendData(module, {0x01});
  const std::string two = StateReport(module, Mounting::Rotated180);
  EXPECT_NE(two.find("log-entries=20002\n(2 earlier entries not kept)\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::module
