#if defined(__linux__)

#include "platform/ports/parallel/PpdevPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "FakePpdevSystem.h"

namespace quorvane::platform {
namespace {

using testing::FakePpdevSystem;
using Calls = std::vector<std::string>;

const Calls kClaimed = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                        "ioctl 7 PPDATADIR 0"};

TEST(PpdevPortOpen, ClaimsExclusivelyThenDrivesTheDataLines) {
  FakePpdevSystem system;
  PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
  ASSERT_NE(opening.port, nullptr);
  EXPECT_EQ(opening.error, "");
  EXPECT_EQ(system.calls, kClaimed);
}

TEST(PpdevPortClose, ReleasesThenClosesWhenDestroyed) {
  FakePpdevSystem system;
  PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
  system.calls.clear();
  opening.port.reset();
  EXPECT_EQ(system.calls, (Calls{"ioctl 7 PPRELEASE", "close 7"}));
}

TEST(PpdevPortWrite, DataPassesUnchangedControlKeepsBits4And5Clear) {
  struct Case {
    std::uint16_t address;
    std::uint8_t value;
    Calls expected;
  };
  const Case cases[] = {
      {0x378, 0x00, {"ioctl 7 PPWDATA 0x00"}},
      {0x378, 0xFF, {"ioctl 7 PPWDATA 0xFF"}},
      {0x378, 0x30, {"ioctl 7 PPWDATA 0x30"}},
      {0x37A, 0xFF, {"ioctl 7 PPWCONTROL 0xCF"}},
      {0x37A, 0x30, {"ioctl 7 PPWCONTROL 0x00"}},
      {0x37A, 0x0B, {"ioctl 7 PPWCONTROL 0x0B"}},
      {0x379, 0x12, {}},
      {0x000, 0x12, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.address << " " << int{c.value});
    FakePpdevSystem system;
    PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
    system.calls.clear();
    opening.port->Out32(c.address, c.value);
    EXPECT_EQ(system.calls, c.expected);
  }
}

TEST(PpdevPortWrite, AFailedWriteIsLatchedWithItsReasonAndNothingMoreIsWritten) {
  struct Case {
    unsigned long failingRequest;
    int error;
    std::string reason;
  };
  const Case cases[] = {
      {PPWDATA, EIO, "ppdev: Input/output error"},
      {PPWCONTROL, ENODEV, "ppdev: No such device"},
      {PPWDATA, EINVAL, "ppdev: Invalid argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    FakePpdevSystem system;
    PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
    system.calls.clear();
    system.ioctlResults[c.failingRequest] = -c.error;
    const std::uint16_t failing = c.failingRequest == PPWDATA ? kDataRegister : kControlRegister;
    opening.port->Out32(0x379, 0x12);  // no register of the port: no call, no failure
    EXPECT_FALSE(opening.port->Failed());
    opening.port->Out32(failing, 0x01);
    opening.port->Out32(kDataRegister, 0x02);
    opening.port->Out32(kControlRegister, 0x04);
    opening.port->Flush();
    ASSERT_EQ(system.calls.size(), 1u) << "nothing after the failed write";
    EXPECT_TRUE(opening.port->Failed());
    EXPECT_EQ(opening.port->Failure().reason, c.reason);
    EXPECT_EQ(opening.port->Failure().unsentWrites, 1u);
  }
}

TEST(PpdevPortWrite, TheFirstFailureIsTheOneKept) {
  FakePpdevSystem system;
  system.failingWrite = 3;
  system.writeError = -EIO;
  PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
  system.calls.clear();
  for (std::uint8_t value = 1; value <= 5; ++value) opening.port->Out32(kDataRegister, value);
  EXPECT_EQ(system.calls,
            (Calls{"ioctl 7 PPWDATA 0x01", "ioctl 7 PPWDATA 0x02", "ioctl 7 PPWDATA 0x03"}));
  EXPECT_EQ(opening.port->Failure().reason, "ppdev: Input/output error");
  opening.port.reset();  // the claim is still given back
  EXPECT_EQ(system.calls.back(), "close 7");
}

TEST(PpdevPortOpen, EachFailureNamesTheDeviceAndTheReasonAndCleansUp) {
  const std::string noDevice = "no parallel port at /dev/parport0";
  const std::string permission =
      "no permission to use /dev/parport0; add the user to the group lp (and log in again) or run "
      "with the right permissions";
  const std::string busy =
      "/dev/parport0 cannot be claimed: another program or driver has the port for itself, or "
      "no parallel port is behind /dev/parport0 (the kernel's log, dmesg, says which)";
  const Calls openOnly = {"open /dev/parport0"};
  const Calls openBusy = {"open /dev/parport0", "look for module lp"};
  const Calls exclFails = {"open /dev/parport0", "ioctl 7 PPEXCL", "close 7"};
  const Calls claimFails = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM", "close 7"};
  const Calls claimBusy = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                           "look for module lp", "close 7"};
  const Calls dirFails = {"open /dev/parport0",  "ioctl 7 PPEXCL",    "ioctl 7 PPCLAIM",
                          "ioctl 7 PPDATADIR 0", "ioctl 7 PPRELEASE", "close 7"};
  struct Case {
    unsigned long failingRequest;  // 0: the open fails
    int error;
    std::string expectedError;
    Calls expectedCalls;
  };
  const Case cases[] = {
      {0, ENOENT, noDevice, openOnly},
      {0, ENODEV, noDevice, openOnly},
      {0, ENXIO, noDevice, openOnly},
      {0, EACCES, permission, openOnly},
      {0, EPERM, permission, openOnly},
      {0, EBUSY, busy, openBusy},
      {0, EIO, "cannot open /dev/parport0: Input/output error", openOnly},
      {PPEXCL, EINVAL, "cannot get exclusive use of /dev/parport0: Invalid argument", exclFails},
      {PPCLAIM, ENXIO, busy, claimBusy},
      {PPCLAIM, EBUSY, busy, claimBusy},
      {PPCLAIM, ENODEV, noDevice, claimFails},
      {PPCLAIM, EIO, "cannot claim /dev/parport0: Input/output error", claimFails},
      {PPDATADIR, EIO, "cannot make /dev/parport0 drive its data lines: Input/output error",
       dirFails},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.failingRequest << " errno " << c.error);
    FakePpdevSystem system;
    if (c.failingRequest == 0) {
      system.openResult = -c.error;
    } else {
      system.ioctlResults[c.failingRequest] = -c.error;
    }
    PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.expectedError);
    EXPECT_EQ(system.calls, c.expectedCalls);
  }
}

// PPCLAIM registers the program's device on the port at the first claim and
// answers ENXIO when no port has the device's number, or when the
// registration is refused (drivers/char/ppdev.c, register_device, "no
// associated port" and "failed to register device"). With PPEXCL the
// registration is refused while any other device is registered on the port,
// and any registration while another device holds it exclusively
// (drivers/parport/share.c, parport_register_dev_model, "cannot grant
// exclusive access", "no more devices allowed"). The printer driver lp
// registers on every port it finds, but is only one of these causes: only
// when it is loaded (/sys/module/lp) is unloading it suggested.
TEST(PpdevPortOpen, ARefusedClaimSuggestsUnloadingLpOnlyWhenLpIsLoaded) {
  struct Case {
    std::set<std::string> loaded;
    std::string error;
  };
  const Case cases[] = {
      {{"lp", "parport_pc", "ppdev"},
       "/dev/parport0 cannot be claimed: the printer driver lp is loaded and holds the port (free "
       "it with 'sudo modprobe -r lp'), or another program has the port for itself"},
      {{"parport_pc", "ppdev"},
       "/dev/parport0 cannot be claimed: another program or driver has the port for itself, or "
       "no parallel port is behind /dev/parport0 (the kernel's log, dmesg, says which)"},
      {{},
       "/dev/parport0 cannot be claimed: another program or driver has the port for itself, or "
       "no parallel port is behind /dev/parport0 (the kernel's log, dmesg, says which)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    FakePpdevSystem system;
    system.loadedModules = c.loaded;
    system.ioctlResults[PPCLAIM] = -ENXIO;
    PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0");
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.error);
    EXPECT_EQ(system.calls, (Calls{"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                                   "look for module lp", "close 7"}));
  }
}

}  // namespace
}  // namespace quorvane::platform

#endif
