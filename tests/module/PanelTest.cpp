// What the glass shows: display modes, power-down, contrast from Vop, the two
// mountings, and the state in words.

#include <gtest/gtest.h>

#include "ModuleWire.h"
#include "module/Panel.h"
#include "module/Pcd8544.h"
#include "module/StateText.h"

namespace quorvane::module {
namespace {

using testing::SendCommands;
using testing::SendData;

// A module, active at Vop 72, with two bytes in RAM: 0x01 at (0, 0) (the top
// left dot of the RAM) and 0x80 at (83, 5) (the bottom right dot).
Pcd8544 Prepared(std::uint8_t displayControl) {
  Pcd8544 module;
  SendCommands(module, {0x21, 0xC8, 0x20, displayControl});
  SendData(module, {0x01});
  SendCommands(module, {0xD3, 0x45});
  SendData(module, {0x80});
  return module;
}

int CountAt(const PanelDots& dots, std::uint8_t level) {
  int count = 0;
  for (const std::uint8_t d : dots.darkness) count += d == level;
  return count;
}

TEST(Panel, DisplayModesDecideWhichDotsShow) {
  struct Case {
    std::uint8_t control;
    int darkDots;
    bool cornerDark;  // the RAM's top left dot
  };
  const Case cases[] = {
      {0x08, 0, false},                     // blank
      {0x09, kColumns * kRows, true},       // all on
      {0x0C, 2, true},                      // normal
      {0x0D, kColumns * kRows - 2, false},  // inverse
  };
  for (const Case& c : cases) {
    const PanelDots dots = ShownDots(Prepared(c.control), Mounting::Rotated0);
    EXPECT_EQ(CountAt(dots, 255), c.darkDots) << int(c.control);
    EXPECT_EQ(CountAt(dots, 0), kColumns * kRows - c.darkDots) << int(c.control);
    EXPECT_EQ(dots.At(0, 0) == 255, c.cornerDark) << int(c.control);
  }
}

TEST(Panel, PowerDownShowsNothingWhateverTheMode) {
  Pcd8544 module = Prepared(0x09);
  SendCommands(module, {0x24});
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0), 0), kColumns * kRows);
  SendCommands(module, {0x20});
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0), 255), kColumns * kRows);
}

TEST(Panel, MountingTurnsThePictureHalfRound) {
  const Pcd8544 module = Prepared(0x0C);
  const PanelDots upright = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(upright.At(0, 0), 255);
  EXPECT_EQ(upright.At(83, 47), 255);
  EXPECT_EQ(upright.At(83, 0), 0);
  Pcd8544 single;
  SendCommands(single, {0x21, 0xC8, 0x20, 0x0C, 0x82, 0x41});
  SendData(single, {0x04});  // RAM column 2, row 8 + 2
  const PanelDots turned = ShownDots(single, Mounting::Rotated180);
  EXPECT_EQ(turned.At(83 - 2, 47 - 10), 255);
  EXPECT_EQ(CountAt(turned, 255), 1);
  EXPECT_EQ(ShownDots(single, Mounting::Rotated0).At(2, 10), 255);
  EXPECT_EQ(kDefaultMounting, Mounting::Rotated180);
  EXPECT_EQ(ParseMounting("0"), Mounting::Rotated0);
  EXPECT_EQ(ParseMounting("180"), Mounting::Rotated180);
  EXPECT_EQ(ParseMounting("90"), std::nullopt);
  EXPECT_EQ(ParseMounting(""), std::nullopt);
}

TEST(Panel, VopSetsTheContrast) {
  struct Case {
    std::uint8_t vop;
    Contrast contrast;
    std::uint8_t dark;
    std::uint8_t clear;
  };
  const Case cases[] = {
      {0, Contrast::Off, 0, 0},       {24, Contrast::Faint, 0, 0},
      {25, Contrast::Faint, 10, 0},   {37, Contrast::Faint, 132, 0},
      {48, Contrast::Faint, 244, 0},  {49, Contrast::Normal, 255, 0},
      {72, Contrast::Normal, 255, 0}, {90, Contrast::Normal, 255, 0},
      {91, Contrast::Dark, 255, 4},   {127, Contrast::Dark, 255, 180},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContrastOf(c.vop), c.contrast) << int(c.vop);
    EXPECT_EQ(DarkDotLevel(c.vop), c.dark) << int(c.vop);
    EXPECT_EQ(ClearDotLevel(c.vop), c.clear) << int(c.vop);
  }
  // The same RAM at a faint and a dark voltage.
  Pcd8544 module = Prepared(0x0C);
  SendCommands(module, {0x21, 0xA5, 0x20});  // Vop 37: 5.28 V
  PanelDots dots = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(CountAt(dots, 132), 2);
  EXPECT_EQ(CountAt(dots, 0), kColumns * kRows - 2);
  SendCommands(module, {0x21, 0xFF, 0x20});  // Vop 127: 10.68 V
  dots = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(CountAt(dots, 255), 2);
  EXPECT_EQ(CountAt(dots, 180), kColumns * kRows - 2);
}

TEST(Panel, StateInOneLine) {
  ControllerState state;
  EXPECT_EQ(StateLine(state),
            "power-down, display blank, horizontal, basic set, X = 0, Y = 0, "
            "Vop = 0 (3.06 V, generator off), bias 0, TC 0");
  state = {false, true, true, DisplayMode::Inverse, 83, 5, 1, 5, 72};
  EXPECT_EQ(StateLine(state),
            "active, inverse video, vertical, extended set, X = 83, Y = 5, "
            "Vop = 72 (7.38 V), bias 5, TC 1");
  state.vop = 30;
  EXPECT_NE(StateLine(state).find("Vop = 30 (4.86 V, too low: faint)"), std::string::npos);
  state.vop = 100;
  EXPECT_NE(StateLine(state).find("Vop = 100 (9.06 V, too high: dark)"), std::string::npos);
}

TEST(Panel, StateReportGivesKeysThenTheLog) {
  Pcd8544 module;
  SendCommands(module, {0x21, 0xC8, 0x20, 0x0C});
  SendData(module, {0xF0});
  EXPECT_EQ(StateReport(module, Mounting::Rotated180),
            "power=active\n"
            "display=normal\n"
            "addressing=horizontal\n"
            "instruction-set=basic\n"
            "x=1\n"
            "y=0\n"
            "vop=72\n"
            "vlcd=7.38\n"
            "contrast=normal\n"
            "bias=0\n"
            "temperature-coefficient=0\n"
            "mounting=180\n"
            "pending-bits=0\n"
            "log-entries=5\n"
            "command 0x21 function set: active, horizontal, extended set\n"
            "command 0xC8 set Vop = 72 (7.38 V)\n"
            "command 0x20 function set: active, horizontal, basic set\n"
            "command 0x0C display control: normal\n"
            "data 0xF0 at X = 0, Y = 0\n");
}

}  // namespace
}  // namespace quorvane::module
