#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FakeFtdiSystem.h"
#include "FakeGpioSystem.h"
#include "FakePpdevSystem.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::platform {
namespace {

using Calls = std::vector<std::string>;

class AdapterPortFactory : public ::testing::Test {
 protected:
  PortSystems Systems() { return {ppdev, nullptr, ftdi.Factory(), gpio.Factory()}; }

  testing::FakePpdevSystem ppdev;
  testing::FtdiScript ftdi;
  testing::GpioScript gpio;
};

TEST_F(AdapterPortFactory, FtdiFormsOpenTheNamedAdapterAndSayOnceThatTheControlRegisterIsIgnored) {
  struct Case {
    std::string portText;
    std::string open;  // the adapter asked for
    std::string device;
    int rate = 62500;       // the bit-bang rate set
    std::string name = {};  // the port text that opens it again, when not portText
  };
  const Case cases[] = {
      {"ftdi", "open 0403:6001 0", "FTDI adapter 0403:6001", 62500, "ftdi:0403:6001"},
      {"ftdi:0403:6001", "open 0403:6001 0", "FTDI adapter 0403:6001"},
      {"ftdi:403:6001", "open 0403:6001 0", "FTDI adapter 0403:6001", 62500, "ftdi:0403:6001"},
      {"ftdi:0x0403:0X6014", "open 0403:6014 0", "FTDI adapter 0403:6014", 62500, "ftdi:0403:6014"},
      {"ftdi:0403:6014:2", "open 0403:6014 2", "FTDI adapter 0403:6014:2"},
      {"ftdi:0403:6014:255", "open 0403:6014 255", "FTDI adapter 0403:6014:255"},
      {"ftdi:ffff:0", "open ffff:0000 0", "FTDI adapter ffff:0000", 62500, "ftdi:ffff:0000"},
      // Another bit-bang rate: ftdi@RATE, ftdi:VID:PID[:INDEX]@RATE.
      {"ftdi@9600", "open 0403:6001 0", "FTDI adapter 0403:6001", 9600, "ftdi:0403:6001@9600"},
      {"ftdi:0403:6014@300", "open 0403:6014 0", "FTDI adapter 0403:6014", 300},
      {"ftdi:0403:6014:2@200000", "open 0403:6014 2", "FTDI adapter 0403:6014:2", 200000},
      {"ftdi@62500", "open 0403:6001 0", "FTDI adapter 0403:6001", 62500, "ftdi:0403:6001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    ftdi.calls.clear();
    ftdi.plugged = {{{0x0403, 0x6001}, 1}, {{0x0403, 0x6014}, 256}, {{0xFFFF, 0x0000}, 1}};
    OpenedPort opened = OpenPort(c.portText, Systems());
    ASSERT_NE(opened.port, nullptr);
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_EQ(opened.error, "");
    EXPECT_EQ(opened.notice, "Writing to the " + c.device + " in bit-bang mode at the rate " +
                                 std::to_string(c.rate) + " (" + std::to_string(16 * c.rate) +
                                 " writes a second on an FT232R); it has no pins for the control "
                                 "register, so control-register writes are ignored.");
    EXPECT_EQ(ftdi.calls,
              (Calls{c.open, "bitmode 0xFF 0x01", "baudrate " + std::to_string(c.rate)}));
    EXPECT_EQ(opened.name, c.name.empty() ? c.portText : c.name);
  }
  EXPECT_TRUE(ppdev.calls.empty());
}

TEST_F(AdapterPortFactory, FtdiTextsThatAreNotUnderstoodAreUsageErrors) {
  const std::string texts[] = {"",           "0403",          "0403:",         "0:6001",
                               "0403:6001:", "0403:6001:256", "0403:6001:1:2", "10000:6001",
                               "0x:6001",    "0403:-1",       "+403:6001",     " 0403:6001",
                               "00403:6001", "0403:6001:0x1", "0403:6001 ",    "g403:6001",
                               "0403;6001"};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    OpenedPort opened = OpenPort("ftdi:" + text, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_TRUE(opened.usageError);
    EXPECT_EQ(opened.error, "the FTDI adapter '" + text +
                                "' is not understood; give it as ftdi:VID:PID or "
                                "ftdi:VID:PID:INDEX, the USB ID in hex as lsusb shows it "
                                "(ftdi:0403:6014), the index from 0 to 255");
  }
  // The rate after "@": a whole number in decimal, 300 to 200000.
  const std::string rates[] = {"ftdi@",           "ftdi@0",           "ftdi@299",
                               "ftdi@200001",     "ftdi@1e4",         "ftdi@9600.5",
                               "ftdi@-9600",      "ftdi@ 9600",       "ftdi@62500@1",
                               "ftdi:0403:6001@", "ftdi:0403:6001@x", "ftdi:0403:6001:1@0x100"};
  for (const std::string& text : rates) {
    SCOPED_TRACE(text);
    OpenedPort opened = OpenPort(text, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_TRUE(opened.usageError);
    EXPECT_EQ(opened.error, "the FTDI bit-bang rate '" + text.substr(text.find('@') + 1) +
                                "' is not understood; give it as ftdi@RATE or ftdi:VID:PID@RATE, "
                                "a whole number from 300 to 200000 (default 62500, 1000000 writes "
                                "a second on an FT232R)");
  }
  EXPECT_EQ(ftdi.made, 0);
}

TEST_F(AdapterPortFactory, GpioFormsOpenTheChipAndLinesAndSayOnceWhatIsIgnored) {
  struct Case {
    std::string portText;
    Calls calls;
  };
  const Case cases[] = {
      {"gpio:gpiochip0:17,27,22,23,24",
       {"open gpiochip0", "get 17,27,22,23,24", "request quorvane 0,0,0,1,1"}},
      {"gpio:/dev/gpiochip1:0,1,2,3,4",
       {"open /dev/gpiochip1", "get 0,1,2,3,4", "request quorvane 0,0,0,1,1"}},
      {"gpio:0:4,3,2,1,0", {"open 0", "get 4,3,2,1,0", "request quorvane 0,0,0,1,1"}},
      // The chip is everything up to the last colon: labels may hold colons.
      {"gpio:pinctrl:a:5,6,7,8,53",
       {"open pinctrl:a", "get 5,6,7,8,53", "request quorvane 0,0,0,1,1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    gpio.calls.clear();
    OpenedPort opened = OpenPort(c.portText, Systems());
    ASSERT_NE(opened.port, nullptr);
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_EQ(opened.error, "");
    EXPECT_EQ(opened.notice,
              "Only D0 to D4 reach the GPIO lines: bits 5 to 7 and control-register writes are "
              "ignored.");
    EXPECT_EQ(gpio.calls, c.calls);
  }
}

TEST_F(AdapterPortFactory, GpioTextsThatAreNotUnderstoodAreUsageErrors) {
  const std::string form =
      "give the chip and the lines for D0 to D4 as gpio:CHIP:L0,L1,L2,L3,L4 "
      "(gpio:gpiochip0:17,27,22,23,24)";
  const auto lines = [](const std::string& text) {
    return "the GPIO lines '" + text +
           "' are not understood; give five line offsets for D0 to D4, in decimal and separated "
           "by commas (gpio:gpiochip0:17,27,22,23,24)";
  };
  struct Case {
    std::string portText;
    std::string error;
  };
  const Case cases[] = {
      {"gpio", "'gpio' names no lines; " + form},
      {"gpio:", "'gpio:' is not understood; " + form},
      {"gpio:1,2,3,4,5", "'gpio:1,2,3,4,5' is not understood; " + form},
      {"gpio::1,2,3,4,5", "'gpio::1,2,3,4,5' is not understood; " + form},
      {"gpio:gpiochip0:", lines("")},
      {"gpio:gpiochip0:1,2,3,4", lines("1,2,3,4")},
      {"gpio:gpiochip0:1,2,3,4,5,6", lines("1,2,3,4,5,6")},
      {"gpio:gpiochip0:1,2,3,4,", lines("1,2,3,4,")},
      {"gpio:gpiochip0:1,2,,4,5", lines("1,2,,4,5")},
      {"gpio:gpiochip0:1,2,3,4,x", lines("1,2,3,4,x")},
      {"gpio:gpiochip0: 1,2,3,4,5", lines(" 1,2,3,4,5")},
      {"gpio:gpiochip0:1,2,3,4,-1", lines("1,2,3,4,-1")},
      {"gpio:gpiochip0:1,2,3,4,65536", lines("1,2,3,4,65536")},
      {"gpio:gpiochip0:1,2,3,4,0x5", lines("1,2,3,4,0x5")},
      {"gpio:gpiochip0:17,27,22,23,17",
       "the GPIO line 17 is given twice; each of D0 to D4 needs a line of its own"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    OpenedPort opened = OpenPort(c.portText, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_TRUE(opened.usageError);
    EXPECT_EQ(opened.error, c.error);
  }
  EXPECT_EQ(gpio.made, 0);
}

TEST_F(AdapterPortFactory, AFailedAdapterIsAnErrorNeverAnotherPort) {
  ftdi.plugged.clear();
  gpio.openResult = -EACCES;
  struct Case {
    std::string portText;
    std::string error;
  };
  const Case cases[] = {
      {"ftdi:0403:6014", "no FTDI adapter 0403:6014 is plugged in"},
      {"gpio:gpiochip0:17,27,22,23,24",
       "no permission to use the GPIO chip 'gpiochip0'; add the user to the group gpio (and log "
       "in again) or give it access to /dev/gpiochipN with a udev rule"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    OpenedPort opened = OpenPort(c.portText, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_FALSE(opened.usageError);
    EXPECT_EQ(opened.notice, "");
    EXPECT_EQ(opened.error, c.error);
  }
  EXPECT_TRUE(ppdev.calls.empty());
}

TEST_F(AdapterPortFactory, ABuildWithoutTheLibrariesStillReadsTheFormsAndSaysWhatItLacks) {
  const PortSystems without{ppdev, nullptr};
  struct Case {
    std::string portText;
    bool usageError;
    std::string error;
  };
  const Case cases[] = {
      {"ftdi", false, "the ftdi port needs libftdi1, and this build was made without it"},
      {"ftdi:0403:6014:1", false,
       "the ftdi port needs libftdi1, and this build was made without it"},
      {"ftdi:zz", true,
       "the FTDI adapter 'zz' is not understood; give it as ftdi:VID:PID or ftdi:VID:PID:INDEX, "
       "the USB ID in hex as lsusb shows it (ftdi:0403:6014), the index from 0 to 255"},
      {"gpio:gpiochip0:17,27,22,23,24", false,
       "the gpio port needs libgpiod, and this build was made without it"},
      {"gpio:gpiochip0:1,1,2,3,4", true,
       "the GPIO line 1 is given twice; each of D0 to D4 needs a line of its own"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    OpenedPort opened = OpenPort(c.portText, without);
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_EQ(opened.usageError, c.usageError);
    EXPECT_EQ(opened.error, c.error);
  }
}

TEST_F(AdapterPortFactory, AutoNeverPicksAnAdapter) {
  ppdev.openResult = -ENOENT;
  OpenedPort opened = OpenPort("auto", Systems());
  ASSERT_NE(opened.port, nullptr);
  EXPECT_EQ(opened.sim, opened.port.get());
  EXPECT_EQ(ftdi.made, 0);
  EXPECT_EQ(gpio.made, 0);
}

}  // namespace
}  // namespace quorvane::platform
