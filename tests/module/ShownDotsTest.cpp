// What the glass shows: display modes, power-down, contrast from VLCD and the
// bias, the two mountings, and the state in words.

#include <gtest/gtest.h>

#include "ModuleWire.h"
#include "module/Pcd8544.h"
#include "module/ShownDots.h"
#include "module/StateText.h"

namespace quorvane::module {
namespace {

using testing::SendCommands;
using testing::SendData;

// A module, active at Vop 68 (7.14 V) with bias 3, where the default glass
// shows black and clear, with two bytes in the cleared RAM: 0x01 at (0, 0)
// (the top left dot of the RAM) and 0x80 at (83, 5) (the bottom right dot).
Pcd8544 Prepared(std::uint8_t displayControl) {
  Pcd8544 module = testing::ClearedModule();
  SendCommands(module, {0x21, 0xC4, 0x13, 0x20, displayControl});
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
  Pcd8544 single = testing::ClearedModule();
  SendCommands(single, {0x21, 0xC4, 0x13, 0x20, 0x0C, 0x82, 0x41});
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

TEST(Panel, NothingShowsBeforeTheFirstResetOrWithoutSupply) {
  Pcd8544 module;
  SendCommands(module, {0x21, 0xC4, 0x13, 0x20, 0x09});
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0), 0), kColumns * kRows);
  EXPECT_EQ(StateLines(module, {}),
            "no reset since power-on: state undefined\n"
            "a RESET low pulse sets the controller up; until then nothing readable shows");
  Pcd8544 cut = Prepared(0x09);
  cut.WriteControl(0xFF);
  cut.Write(0);
  EXPECT_EQ(CountAt(ShownDots(cut, Mounting::Rotated0), 0), kColumns * kRows);
  EXPECT_EQ(StateLines(cut, {}),
            "supply off (power switch): the module ignores its lines\nglass not driven");
}

TEST(Panel, TheBiasAndVlcdShadeTheDots) {
  // BS 3 (n = 4) and BS 7 (n = 0) at the same Vop 68: 1.36 / 1.17 V rms
  // against 2.04 / 1.84 V rms.
  Pcd8544 module = Prepared(0x0C);
  PanelDots dots = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(CountAt(dots, 255), 2);
  EXPECT_EQ(CountAt(dots, 0), kColumns * kRows - 2);
  SendCommands(module, {0x21, 0x17, 0x20});
  dots = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(CountAt(dots, 255), kColumns * kRows) << "every dot dark";
  // Blank mode still drives the glass: too high a voltage greys it.
  SendCommands(module, {0x08});
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0), 255), kColumns * kRows);
  // Back to BS 3, Vop 72: clear dots at 1.213 V, just over the default 1.20 V
  // threshold (28 of 255); a glass threshold of 1.25 V clears them.
  SendCommands(module, {0x21, 0x13, 0xC8, 0x20, 0x0C});
  dots = ShownDots(module, Mounting::Rotated0);
  EXPECT_EQ(CountAt(dots, 28), kColumns * kRows - 2);
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0, Glass{1.25}), 0), kColumns * kRows - 2);
  // Vop 0: generator off, nothing on the glass.
  SendCommands(module, {0x21, 0x80, 0x20});
  EXPECT_EQ(CountAt(ShownDots(module, Mounting::Rotated0), 0), kColumns * kRows);
}

TEST(Panel, StateInWords) {
  ControllerState state;
  EXPECT_EQ(StateLine(state),
            "power-down, display blank, horizontal, basic set, X = 0, Y = 0, "
            "Vop = 0 (0 V, generator off), bias 0 (n = 7), TC 0 (not modelled)");
  EXPECT_EQ(GlassLine(state, {}), "glass not driven: VLCD 0 V");
  state = {false, true, true, DisplayMode::Inverse, 83, 5, 1, 3, 72};
  EXPECT_EQ(StateLine(state),
            "active, inverse video, vertical, extended set, X = 83, Y = 5, "
            "Vop = 72 (7.38 V), bias 3 (n = 4), TC 1 (not modelled)");
  EXPECT_EQ(GlassLine(state, {}),
            "on dots 1.40 V rms, off dots 1.21 V rms, ratio 1.156, glass threshold 1.20 V: "
            "readable on glass of 1.19 to 1.30 V");
  state.powerDown = true;  // the generator is off whatever Vop holds
  EXPECT_NE(StateLine(state).find("Vop = 72 (0 V, generator off)"), std::string::npos);
  EXPECT_EQ(GlassLine(state, {}), "glass not driven: VLCD 0 V");
  state.powerDown = false;
  state.vop = 30;
  EXPECT_NE(StateLine(state).find("Vop = 30 (4.86 V, below the 6.0 V rating)"), std::string::npos);
  EXPECT_EQ(GlassLine(state, {}).substr(GlassLine(state, {}).find(": ")),
            ": too faint; readable on glass of 0.78 to 0.85 V");
  state.vop = 127;  // the main window's default command list
  EXPECT_NE(StateLine(state).find("Vop = 127 (10.68 V, exceeds the 8.5 V rating)"),
            std::string::npos);
  EXPECT_EQ(GlassLine(state, {}),
            "on dots 2.03 V rms, off dots 1.76 V rms, ratio 1.156, glass threshold 1.20 V: "
            "too dark; readable on glass of 1.72 to 1.88 V");
  state.vop = 72;
  state.bias = 5;  // the default init sequence: n = 2 is for 1:24
  EXPECT_EQ(GlassLine(state, {}),
            "on dots 1.62 V rms, off dots 1.41 V rms, ratio 1.148, glass threshold 1.20 V: "
            "too dark (bias n for 1:48 is 4); readable on glass of 1.38 to 1.50 V");
  EXPECT_EQ(GlassLine(state, Glass{1.44}).substr(GlassLine(state, Glass{1.44}).find(": ")),
            ": readable on glass of 1.38 to 1.50 V");
  // BS 7 (n = 0), Vop 23: dark dots at 1.27 V, 0.60 of black, clear ones at
  // 1.14 V, clear: neither faint nor dark, but poor.
  state.bias = 7;
  state.vop = 23;
  EXPECT_EQ(GlassLine(state, {}).substr(GlassLine(state, {}).find(": ")),
            ": poor contrast (bias n for 1:48 is 4); readable on glass of 1.12 to 1.18 V");
  // Vop 1 under BS 0 (n = 7): 0.53 / 0.46 V rms, readable only on glass below
  // the lowest threshold the window offers.
  state.bias = 0;
  state.vop = 1;
  EXPECT_EQ(GlassLine(state, {}).substr(GlassLine(state, {}).find("; ")),
            "; readable on no glass of 0.50 to 3.00 V");
}

TEST(Panel, StateReportGivesKeysThenTheLog) {
  Pcd8544 module = testing::ResetModule();
  SendCommands(module, {0x21, 0xC8, 0x13, 0x20, 0x0C});
  SendData(module, {0xF0});
  EXPECT_EQ(StateReport(module, Mounting::Rotated180),
            "supply=on\n"
            "reset=done\n"
            "power=active\n"
            "display=normal\n"
            "addressing=horizontal\n"
            "instruction-set=basic\n"
            "x=1\n"
            "y=0\n"
            "vop=72\n"
            "vlcd=7.38\n"
            "vlcd-rating=within 6.0 to 8.5 V\n"
            "bias=3\n"
            "bias-n=4\n"
            "temperature-coefficient=0\n"
            "on-rms=1.40\n"
            "off-rms=1.21\n"
            "on-off-ratio=1.156\n"
            "glass-threshold=1.20\n"
            "contrast=normal\n"
            "readable-glass=1.19 to 1.30\n"
            "mounting=180\n"
            "pending-bits=0\n"
            "log-entries=6\n"
            "command 0x21 function set: active, horizontal, extended set\n"
            "command 0xC8 set Vop = 72 (7.38 V)\n"
            "command 0x13 bias system 3 (n = 4)\n"
            "command 0x20 function set: active, horizontal, basic set\n"
            "command 0x0C display control: normal\n"
            "data 0xF0 at X = 0, Y = 0\n");
  // Power-down and Vop 0 read 0 V with the generator off.
  SendCommands(module, {0x24});
  std::string report = StateReport(module, Mounting::Rotated180, Glass{1.5});
  EXPECT_NE(report.find("power=power-down\n"), std::string::npos);
  EXPECT_NE(report.find("vlcd=0.00\nvlcd-rating=off\n"), std::string::npos) << report;
  EXPECT_NE(report.find("on-rms=0.00\noff-rms=0.00\non-off-ratio=0.000\nglass-threshold=1.50\n"
                        "contrast=off\nreadable-glass=none\n"),
            std::string::npos)
      << report;
  SendCommands(module, {0x21, 0x80});
  report = StateReport(module, Mounting::Rotated180);
  EXPECT_NE(report.find("power=active\n"), std::string::npos);
  EXPECT_NE(report.find("vlcd=0.00\nvlcd-rating=off\n"), std::string::npos) << report;
  EXPECT_NE(report.find("contrast=off\n"), std::string::npos);
  // Before the first reset the state is undefined and nothing drives the glass.
  const Pcd8544 fresh;
  report = StateReport(fresh, Mounting::Rotated0);
  EXPECT_EQ(report.substr(0, report.find("power=")),
            "supply=on\nreset=none since power-on (state undefined)\n");
  EXPECT_NE(report.find("contrast=off\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::module
