#include "platform/ports/adapters/GpioPort.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FakeGpioSystem.h"

namespace quorvane::platform {
namespace {

using testing::GpioScript;
using Calls = std::vector<std::string>;

const GpioAddress kPiLines = {"gpiochip0", {17, 27, 22, 23, 24}};
const Calls kOpened = {"open gpiochip0", "get 17,27,22,23,24", "request quorvane 0,0,0,1,1"};

GpioPort::Opening Open(GpioScript& script, const GpioAddress& address = kPiLines) {
  return GpioPort::Open(script.Factory()(), address);
}

// The start levels go into the request itself: gpiod_line_request_bulk_output
// takes "default_vals: Initial line values" (libgpiod 1.6.3, /usr/include/
// gpiod.h), which the kernel's line request applies as it makes the lines
// outputs, so the lines never pass through other levels. RESET (D4) and CS
// (D3) start high: opening the port neither resets nor selects the module.
TEST(GpioPortOpen, RequestsTheFiveLinesD0ToD4AsOutputsWithResetAndCsHigh) {
  GpioScript script;
  GpioPort::Opening opening = Open(script);
  ASSERT_NE(opening.port, nullptr);
  EXPECT_EQ(opening.error, "");
  EXPECT_EQ(script.calls, kOpened);
  EXPECT_EQ(script.calls.back(), "request quorvane 0,0,0,1,1") << "SCLK, SDA, D/C, CS, RESET";
  EXPECT_EQ(GpioPort::kRequestLevels, 0x18);

  // The lines are known to be at those levels: a byte that keeps them sets
  // nothing, and the program's start-up byte 0x10 lowers CS alone.
  script.calls.clear();
  opening.port->Out32(kDataRegister, 0x18);
  opening.port->Out32(kDataRegister, 0xF8);
  EXPECT_EQ(script.calls, Calls{});
  opening.port->Out32(kDataRegister, 0x10);
  EXPECT_EQ(script.calls, Calls{"set 0,0,0,0,1"});
}

TEST(GpioPortOpen, EachFailureNamesTheChipOrLinesAndTheReasonAndClosesWhatWasOpened) {
  const std::string permission =
      "; add the user to the group gpio (and log in again) or give it access to /dev/gpiochipN "
      "with a udev rule";
  const Calls openOnly = {"open gpiochip0", "free"};
  const Calls getFails = {"open gpiochip0", "get 17,27,22,23,24", "close", "free"};
  const Calls requestFails = {"open gpiochip0", "get 17,27,22,23,24", "request quorvane 0,0,0,1,1",
                              "close", "free"};
  enum class Fails { kOpen, kGet, kRequest, kLineCount };
  struct Case {
    Fails step;
    int value;  // the errno, or the chip's line count
    std::string error;
    Calls calls;
  };
  const Case cases[] = {
      {Fails::kOpen,
       ENOENT,
       "no GPIO chip 'gpiochip0'",
       {"open gpiochip0", "look for unreadable chips", "free"}},
      {Fails::kOpen, ENODEV, "no GPIO chip 'gpiochip0'", openOnly},
      {Fails::kOpen, ENOTTY, "no GPIO chip 'gpiochip0'", openOnly},
      {Fails::kOpen, EACCES, "no permission to use the GPIO chip 'gpiochip0'" + permission,
       openOnly},
      {Fails::kOpen, EPERM, "no permission to use the GPIO chip 'gpiochip0'" + permission,
       openOnly},
      {Fails::kOpen, EIO, "cannot open the GPIO chip 'gpiochip0': Input/output error", openOnly},
      {Fails::kLineCount,
       24,
       "the GPIO chip 'gpiochip0' has no line 27 (it has 24 lines, numbered from 0)",
       {"open gpiochip0", "close", "free"}},
      {Fails::kLineCount,
       1,
       "the GPIO chip 'gpiochip0' has no line 17 (it has 1 line, numbered from 0)",
       {"open gpiochip0", "close", "free"}},
      {Fails::kLineCount,
       0,
       "the GPIO chip 'gpiochip0' has no line 17 (it has 0 lines, numbered from 0)",
       {"open gpiochip0", "close", "free"}},
      {Fails::kGet, EINVAL,
       "cannot get the lines 17,27,22,23,24 of the GPIO chip 'gpiochip0': Invalid argument",
       getFails},
      {Fails::kRequest, EBUSY,
       "the lines 17,27,22,23,24 of the GPIO chip 'gpiochip0' are not free: another program or "
       "driver holds one of them (gpioinfo gpiochip0 shows which)",
       requestFails},
      {Fails::kRequest, EPERM,
       "no permission to use the lines 17,27,22,23,24 of the GPIO chip 'gpiochip0'" + permission,
       requestFails},
      {Fails::kRequest, EIO,
       "cannot drive the lines 17,27,22,23,24 of the GPIO chip 'gpiochip0': Input/output error",
       requestFails},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    GpioScript script;
    if (c.step == Fails::kOpen) script.openResult = -c.value;
    if (c.step == Fails::kGet) script.getLinesResult = -c.value;
    if (c.step == Fails::kRequest) script.requestResult = -c.value;
    if (c.step == Fails::kLineCount) script.lineCount = static_cast<unsigned>(c.value);
    GpioPort::Opening opening = Open(script);
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.error);
    EXPECT_EQ(script.calls, c.calls);
  }
}

// How libgpiod 1.6 looks a chip up (lib/helpers.c, gpiod_chip_open_lookup): a
// text of digits is a number, any other text is first looked for as a label
// (gpiod_chip_open_by_label), then opened as /dev/TEXT, or as TEXT when it
// begins with /dev/. The search by label walks a chip iterator, and
// gpiod_chip_iter_new "scans the /dev/ directory for GPIO chip device files,
// opens them" (/usr/include/gpiod.h) and fails at the first it cannot open
// (lib/iter.c): one chip the user may not open hides every label, and the
// open of /dev/LABEL that follows leaves ENOENT as the only error.
TEST(GpioPortOpen, ALabelHiddenByAChipTheUserMayNotOpenIsAPermissionProblem) {
  const std::string permission =
      "; add the user to the group gpio (and log in again) or give it access to /dev/gpiochipN "
      "with a udev rule";
  struct Case {
    std::string chip;
    std::vector<std::string> unreadable;
    std::string error;
    bool looked;  // whether the unreadable chips were asked for
  };
  const Case cases[] = {
      {"pinctrl-bcm2835",
       {"/dev/gpiochip1"},
       "cannot look for the GPIO chip 'pinctrl-bcm2835' by its label: no permission to use "
       "/dev/gpiochip1" +
           permission,
       true},
      {"pinctrl-rp1",
       {"/dev/gpiochip0", "/dev/gpiochip4", "/dev/gpiochip10"},
       "cannot look for the GPIO chip 'pinctrl-rp1' by its label: no permission to use "
       "/dev/gpiochip0, /dev/gpiochip4 and /dev/gpiochip10" +
           permission,
       true},
      // Every chip could be opened: there is no chip with that label or name.
      {"pinctrl-bcm2835", {}, "no GPIO chip 'pinctrl-bcm2835'", true},
      // A number and a path are not looked up by label.
      {"3", {"/dev/gpiochip1"}, "no GPIO chip '3'", false},
      {"/dev/gpiochip3", {"/dev/gpiochip1"}, "no GPIO chip '/dev/gpiochip3'", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chip);
    GpioScript script;
    script.openResult = -ENOENT;
    script.unreadableChips = c.unreadable;
    GpioPort::Opening opening = Open(script, {c.chip, {17, 27, 22, 23, 24}});
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.error);
    Calls calls = {"open " + c.chip};
    if (c.looked) calls.push_back("look for unreadable chips");
    calls.push_back("free");
    EXPECT_EQ(script.calls, calls);
  }
}

class GpioPortWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(port, nullptr);
    script.calls.clear();
  }
  GpioScript script;
  std::unique_ptr<GpioPort> port = Open(script).port;
};

TEST_F(GpioPortWrite, ADataByteThatChangesD0ToD4SetsAllFiveLinesAtOnceInOrder) {
  struct Write {
    std::uint16_t address;
    std::uint8_t value;
  };
  const Write writes[] = {
      {kDataRegister, 0x18},     // the lines start with RESET and CS high: nothing to set
      {kDataRegister, 0x10},     // RESET
      {kDataRegister, 0x10},     // unchanged
      {kDataRegister, 0xF0},     // bits 5 to 7 have no lines
      {kDataRegister, 0x01},     // SCLK
      {kDataRegister, 0x02},     // SDA
      {kDataRegister, 0x04},     // D/C
      {kDataRegister, 0x08},     // CS
      {kControlRegister, 0xFF},  // no lines
      {0x379, 0x1F},             // not a register of the program
      {kDataRegister, 0x1F},
      {kDataRegister, 0xE0},
  };
  for (const Write& write : writes) port->Out32(write.address, write.value);
  EXPECT_EQ(script.calls, (Calls{"set 0,0,0,0,1", "set 1,0,0,0,0", "set 0,1,0,0,0", "set 0,0,1,0,0",
                                 "set 0,0,0,1,0", "set 1,1,1,1,1", "set 0,0,0,0,0"}));
}

TEST(GpioPortFailure, AFailedSetIsLatchedWithItsReasonAndNothingMoreIsSet) {
  struct Case {
    int error;
    std::string reason;
  };
  const Case cases[] = {
      {ENODEV, "the GPIO chip went away"},
      {EIO, "gpiod: Input/output error"},
      {EINVAL, "gpiod: Invalid argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    GpioScript script;
    script.setResults = {0, -c.error};
    std::unique_ptr<GpioPort> port = Open(script).port;
    ASSERT_NE(port, nullptr);
    script.calls.clear();
    port->Out32(kDataRegister, 0x10);
    port->Out32(kDataRegister, 0x09);
    EXPECT_TRUE(port->Failed());
    port->Out32(kDataRegister, 0x09);
    port->Out32(kDataRegister, 0x1F);
    EXPECT_EQ(script.calls, (Calls{"set 0,0,0,0,1", "set 1,0,0,1,0"}));
    EXPECT_EQ(port->Failure().reason, c.reason);
    EXPECT_EQ(port->Failure().unsentWrites, 1u);
    port.reset();  // the lines are still released
    EXPECT_EQ(script.calls.back(), "free");
  }
}

// gpiod_line_release_bulk gives the lines back to the kernel; libgpiod 1.6.3
// promises nothing about their levels afterwards (its gpioset manual: the
// state of a line "reverts to default when the last process referencing the
// file descriptor ... exits", which "must be interpreted as undefined
// behavior"). The port sets nothing on its way out: a last set would not
// outlive the release.
TEST_F(GpioPortWrite, DestructionReleasesTheLinesThenClosesTheChip) {
  port.reset();
  EXPECT_EQ(script.calls, (Calls{"release", "close", "free"}));
}

}  // namespace
}  // namespace quorvane::platform
