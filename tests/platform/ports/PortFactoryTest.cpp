#include "platform/ports/PortFactory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FakeIoSystem.h"
#include "FakePpdevSystem.h"

#if defined(__linux__)
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#endif

namespace quorvane::platform {
namespace {

using Calls = std::vector<std::string>;

class PortFactory : public ::testing::Test {
 protected:
  PortSystems Systems() { return {ppdev, &io}; }

  testing::FakePpdevSystem ppdev;
  testing::FakeIoSystem io;
};

TEST_F(PortFactory, SimTouchesNoHardwareAndKeepsNoWrites) {
  OpenedPort opened = OpenPort("sim", Systems());
  ASSERT_NE(opened.port, nullptr);
  EXPECT_EQ(opened.sim, opened.port.get());
  EXPECT_EQ(opened.notice, "");
  EXPECT_EQ(opened.error, "");
  for (int i = 0; i < 1000; ++i) opened.port->Out32(0x37A, 0xFF);
  EXPECT_TRUE(opened.sim->Writes().empty()) << "a session's port keeps no history";
  EXPECT_TRUE(ppdev.calls.empty());
  EXPECT_TRUE(io.calls.empty());
}

TEST_F(PortFactory, IoFormsChooseTheBase) {
  struct Case {
    std::string portText;
    std::string base;     // the base in the calls
    std::string control;  // base + 2
  };
  // The base is hex, with or without 0x, as every port document gives it:
  // io:888 is 0x888.
  const Case cases[] = {
      {"io", "0x378", "0x37A"},          {"io:0x378", "0x378", "0x37A"},
      {"io:378", "0x378", "0x37A"},      {"io:888", "0x888", "0x88A"},
      {"io:0x3bc", "0x3BC", "0x3BE"},    {"io:3BC", "0x3BC", "0x3BE"},
      {"io:0XE800", "0xE800", "0xE802"}, {"io:0xE800", "0xE800", "0xE802"},
      {"io:E800", "0xE800", "0xE802"},   {"io:e800", "0xE800", "0xE802"},
      {"io:1", "0x01", "0x03"},          {"io:0xFFFD", "0xFFFD", "0xFFFF"},
      {"io:FFFD", "0xFFFD", "0xFFFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    io.calls.clear();
    io.data = 0x1B;  // what the port held before this opening
    OpenedPort opened = OpenPort(c.portText, Systems());
    ASSERT_NE(opened.port, nullptr);
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_EQ(opened.error, "");
    opened.port->Out32(0x378, 0xA5);
    // ioperm for every base; the opening clears the direction bit and checks
    // that the data register reads back; then what Out32(0x378, 0xA5) becomes.
    const std::string& b = c.base;
    EXPECT_EQ(io.calls, (Calls{"ioperm " + b + " 3 on", "inb " + c.control,
                               "outb 0xC4 " + c.control, "inb " + b, "outb 0x5A " + b, "inb " + b,
                               "outb 0xBD " + b, "inb " + b, "outb 0x1B " + b, "outb 0xA5 " + b}));
  }
  EXPECT_TRUE(ppdev.calls.empty());
}

TEST_F(PortFactory, IoBasesThatAreNotUnderstoodAreUsageErrors) {
  const std::string bases[] = {"",       "0x",      "0",     "0x0",
                               "0xFFFE", "FFFE",    "65533", "59392",
                               "-1",     "+5",      "12ag",  "0x1G",
                               " 888",   "0x378 ",  "0x-1",  "0x0x378",
                               "1e3.5",  "0x10000", "10000", "99999999999999999999999999"};
  for (const std::string& base : bases) {
    SCOPED_TRACE(base);
    OpenedPort opened = OpenPort("io:" + base, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_TRUE(opened.usageError);
    EXPECT_EQ(opened.error, "the io base '" + base +
                                "' is not understood; give it in hex, with or without 0x "
                                "(io:378, io:0xE800), from 1 to FFFD");
  }
  EXPECT_TRUE(io.calls.empty());
}

TEST_F(PortFactory, IoWithoutDirectPortIoIsAnError) {
  OpenedPort opened = OpenPort("io", {ppdev, nullptr});
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.error, "direct port I/O (io) is not available on this platform");
}

TEST_F(PortFactory, RefusedIoIsAnErrorNeverTheSimulatedPort) {
  io.iopermResult = -EPERM;
  OpenedPort opened = OpenPort("io:0xE800", Systems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_EQ(opened.sim, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.notice, "");
  EXPECT_EQ(opened.error, "direct port I/O at 0xE800 needs root or the CAP_SYS_RAWIO capability");
  // Access granted, but no port answers at the base.
  io.iopermResult = 0;
  io.portAnswers = false;
  opened = OpenPort("io:0x17A", Systems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.error.substr(0, 34), "no parallel port answers at 0x17A:");
}

TEST_F(PortFactory, UnknownPortTextsAreUsageErrorsListingTheAcceptedForms) {
  const std::string portTexts[] = {"",        "lpt1",   "SIM",  "Auto", "ppdev/dev/parport0",
                                   "io0x378", "inpout", "sim:", " sim", "auto "};
  for (const std::string& portText : portTexts) {
    SCOPED_TRACE(portText);
    OpenedPort opened = OpenPort(portText, Systems());
    EXPECT_EQ(opened.port, nullptr);
    EXPECT_TRUE(opened.usageError);
    EXPECT_EQ(opened.error, "unknown port '" + portText +
                                "'; use one of auto, sim, ppdev, ppdev:/dev/parportN, io, "
                                "io:BASE, inpout32, ftdi, ftdi:VID:PID[:INDEX], ftdi...@RATE or "
                                "gpio:CHIP:L0,L1,L2,L3,L4");
  }
  EXPECT_TRUE(ppdev.calls.empty());
  EXPECT_TRUE(io.calls.empty());
}

TEST_F(PortFactory, PpdevWithoutADeviceIsAUsageError) {
  OpenedPort opened = OpenPort("ppdev:", Systems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_TRUE(opened.usageError);
  EXPECT_EQ(opened.error, "'ppdev:' names no device; give it as ppdev:/dev/parportN");
}

#if !defined(_WIN32)
TEST_F(PortFactory, Inpout32IsAnErrorOutsideWindows) {
  OpenedPort opened = OpenPort("inpout32", Systems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.error, "the inpout32 port exists on Windows only");
}
#endif

#if defined(__linux__)
TEST_F(PortFactory, PpdevFormsOpenTheNamedDevice) {
  struct Case {
    std::string portText;
    std::string path;
  };
  const Case cases[] = {
      {"ppdev", "/dev/parport0"},
      {"ppdev:/dev/parport1", "/dev/parport1"},
      {"ppdev:/dev/odd name", "/dev/odd name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    ppdev.calls.clear();
    OpenedPort opened = OpenPort(c.portText, Systems());
    ASSERT_NE(opened.port, nullptr);
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_EQ(opened.error, "");
    opened.port->Out32(0x37A, 0xFF);
    EXPECT_EQ(ppdev.calls, (Calls{"open " + c.path, "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                                  "ioctl 7 PPDATADIR 0", "ioctl 7 PPWCONTROL 0xCF"}));
  }
}

TEST_F(PortFactory, NamedPpdevThatFailsIsAnErrorNeverTheSimulatedPort) {
  ppdev.openResult = -ENOENT;
  OpenedPort opened = OpenPort("ppdev", Systems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_EQ(opened.sim, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.notice, "");
  EXPECT_EQ(opened.error, "no parallel port at /dev/parport0");
}

TEST_F(PortFactory, AutoUsesPpdevWhenItCanBeClaimed) {
  OpenedPort opened = OpenPort("auto", Systems());
  ASSERT_NE(opened.port, nullptr);
  EXPECT_EQ(opened.sim, nullptr);
  EXPECT_EQ(opened.notice, "");
  EXPECT_EQ(opened.error, "");
  EXPECT_EQ(ppdev.calls, (Calls{"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                                "ioctl 7 PPDATADIR 0"}));
}

// The printer driver lp registers on every port: the exclusive claim is
// refused, the port is claimed the shared way, and the notice that names the
// port says so, once, also when auto chose it.
TEST_F(PortFactory, APortSharedWithLpSaysSoInItsNotice) {
  for (const char* portText : {"ppdev", "auto"}) {
    SCOPED_TRACE(portText);
    testing::FakePpdevSystem shared;
    shared.otherDevices = {"lp"};
    shared.loadedModules = {"lp"};
    OpenedPort opened = OpenPort(portText, {shared, &io});
    ASSERT_NE(opened.port, nullptr) << opened.error;
    EXPECT_EQ(opened.name, "ppdev:/dev/parport0");
    EXPECT_EQ(opened.notice,
              "ppdev:/dev/parport0 is shared with the printer driver lp: the port is claimed the "
              "shared way, and that driver waits for it until this program lets it go.");
  }
}

TEST_F(PortFactory, AutoFallsBackToTheSimulatedPortWithANoticeAndNeverTriesIo) {
  const std::string busy =
      "/dev/parport0 cannot be claimed: another program or driver has the port for itself, or "
      "no parallel port is behind /dev/parport0 (the kernel's log, dmesg, says which)";
  struct Case {
    unsigned long failingRequest;  // 0: the open fails
    int error;
    std::string reason;
  };
  const Case cases[] = {
      {0, ENOENT, "no parallel port at /dev/parport0"},
      {0, EACCES,
       "no permission to use /dev/parport0; add the user to the group lp (and log in again) or "
       "run with the right permissions"},
      {0, EBUSY, busy},
      {PPCLAIM, ENXIO, busy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    testing::FakePpdevSystem failing;
    if (c.failingRequest == 0) {
      failing.openResult = -c.error;
    } else {
      failing.ioctlResults[c.failingRequest] = -c.error;
    }
    OpenedPort opened = OpenPort("auto", {failing, &io});
    ASSERT_NE(opened.port, nullptr);
    EXPECT_EQ(opened.sim, opened.port.get());
    EXPECT_EQ(opened.error, "");
    EXPECT_FALSE(opened.usageError);
    EXPECT_EQ(opened.notice, "No parallel port could be used (" + c.reason +
                                 "); port writes go to the simulated port.");
  }
  EXPECT_TRUE(io.calls.empty());
}
#else
TEST_F(PortFactory, PpdevIsAnErrorOutsideLinuxAndAutoFallsBackToTheSimulatedPort) {
  OpenedPort named = OpenPort("ppdev", Systems());
  EXPECT_EQ(named.port, nullptr);
  EXPECT_EQ(named.error, "the ppdev port exists on Linux only");
  OpenedPort automatic = OpenPort("auto", Systems());
  ASSERT_NE(automatic.port, nullptr);
  EXPECT_EQ(automatic.sim, automatic.port.get());
  EXPECT_EQ(automatic.notice,
            "No parallel port could be used (the ppdev port exists on Linux only); port writes go "
            "to the simulated port.");
}
#endif

TEST(ChoosePortText, CommandLineThenEnvironmentThenAuto) {
  struct Case {
    std::optional<std::string> commandLine;
    const char* environment;
    std::string expected;
  };
  const Case cases[] = {
      {"io:0xE800", "sim", "io:0xE800"},
      {"sim", nullptr, "sim"},
      {"", "sim", ""},  // given but empty: the caller reports it as not understood
      {std::nullopt, "ppdev:/dev/parport1", "ppdev:/dev/parport1"},
      {std::nullopt, "", "auto"},
      {std::nullopt, nullptr, "auto"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ChoosePortText(c.commandLine, c.environment), c.expected);
  }
}

}  // namespace
}  // namespace quorvane::platform
