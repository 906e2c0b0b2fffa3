#if defined(__linux__)

#include "platform/ports/parallel/PpdevPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "FakePpdevSystem.h"
#include "RecordingSleeper.h"

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
  const Calls exclFails = {"open /dev/parport0", "ioctl 7 PPEXCL", "close 7"};
  const Calls claimFails = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM", "close 7"};
  const Calls claimBusy = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM", "close 7"};
  // ENXIO to the exclusive claim: opened again, and refused the shared way too.
  const Calls sharedRefused = {"open /dev/parport0", "ioctl 7 PPEXCL",
                               "ioctl 7 PPCLAIM",    "close 7",
                               "open /dev/parport0", "read active /dev/parport0",
                               "ioctl 7 PPCLAIM",    "close 7"};
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
      {0, EBUSY, busy, openOnly},
      {0, EIO, "cannot open /dev/parport0: Input/output error", openOnly},
      {PPEXCL, EINVAL, "cannot get exclusive use of /dev/parport0: Invalid argument", exclFails},
      {PPCLAIM, ENXIO, busy, sharedRefused},
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

// The stand-in answers as drivers/char/ppdev.c and drivers/parport/share.c do.
// PPEXCL only marks the registration that the first PPCLAIM makes, and that
// registration is refused (ENXIO) while any other device is registered on the
// port, as the printer driver lp is on every port it finds. The descriptor
// keeps its PPEXCL flag, so the port opens the device again and claims the
// shared way; that claim sleeps in parport_claim_or_block while another
// device holds the port, so it is made only once /proc says the port is free,
// looked at every 50 ms for at most 2 s.
TEST(PpdevPortOpen, AClaimRefusedForExclusiveUseIsMadeSharedWithinABoundedWait) {
  const Calls reopened = {"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM", "close 7",
                          "open /dev/parport0"};
  const std::string lpPrints =
      "/dev/parport0 is held by the printer driver lp, which did not let go of it within 2 s; "
      "try again once the printer is done, or free the port with 'sudo modprobe -r lp'";
  struct Case {
    const char* name;
    std::vector<std::string> others;  // devices registered by other drivers
    bool exclusive;                   // one of them registered exclusively
    std::string holder;               // the device that has the port claimed
    int holderLooks;                  // looks that still see it; -1: all
    bool withSleeper;
    std::string sharedWith;  // empty: refused
    std::string error;
    int looks;  // reads of "active"
  };
  const Case cases[] = {
      {"lp registered, idle", {"lp"}, false, "", -1, true, "the printer driver lp", "", 1},
      {"lp prints for three more looks",
       {"lp"},
       false,
       "lp",
       3,
       true,
       "the printer driver lp",
       "",
       4},
      {"lp prints on", {"lp"}, false, "lp", -1, true, "", lpPrints, 41},
      {"lp prints on, and the opening may not wait",
       {"lp"},
       false,
       "lp",
       -1,
       false,
       "",
       lpPrints,
       1},
      {"another program holds it shared",
       {"ppdev0"},
       false,
       "ppdev0",
       -1,
       true,
       "",
       "/dev/parport0 is held by another program through ppdev (ppdev0), which did not let go "
       "of it within 2 s; try again once it has let go",
       41},
      {"another program has it for itself",
       {"ppdev0"},
       true,
       "",
       -1,
       true,
       "",
       "/dev/parport0 cannot be claimed: another program or driver has the port for itself, or "
       "no parallel port is behind /dev/parport0 (the kernel's log, dmesg, says which)",
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePpdevSystem system;
    system.otherDevices = c.others;
    system.otherExclusive = c.exclusive;
    system.holder = c.holder;
    system.holderLooks = c.holderLooks;
    system.loadedModules = {"lp", "parport_pc", "ppdev"};
    testing::RecordingSleeper sleeper;
    PpdevPort::Opening opening =
        PpdevPort::Open(system, "/dev/parport0", c.withSleeper ? &sleeper : nullptr);
    EXPECT_EQ(opening.error, c.error);
    EXPECT_EQ(opening.port != nullptr, c.error.empty());
    EXPECT_EQ(opening.shared, c.error.empty());
    EXPECT_EQ(opening.sharedWith, c.sharedWith);
    EXPECT_EQ(system.sleepingClaims, 0) << "no claim sleeps in the kernel";
    ASSERT_GE(system.calls.size(), reopened.size() + 1);
    EXPECT_EQ(Calls(system.calls.begin(), system.calls.begin() + 5), reopened);
    EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "read active /dev/parport0"),
              c.looks);
    EXPECT_EQ(sleeper.requests, std::vector<std::uint32_t>(c.looks - 1, 50));
    if (c.error.empty()) {
      EXPECT_EQ(Calls(system.calls.end() - 3, system.calls.end()),
                (Calls{"ioctl 7 PPCLAIM", "ioctl 7 PPDATADIR 0", "look for module lp"}));
    } else {
      EXPECT_EQ(system.calls.back(), "close 7");
    }
  }
}

// Without /proc the port cannot be looked at: the shared claim is made at once.
// A port that no device holds but that lp is not behind is said to be shared
// with another driver.
TEST(PpdevPortOpen, ASharedClaimNamesLpOnlyWhenLpIsLoaded) {
  FakePpdevSystem system;
  system.otherDevices = {"plip"};
  system.activeReadable = false;
  testing::RecordingSleeper sleeper;
  PpdevPort::Opening opening = PpdevPort::Open(system, "/dev/parport0", &sleeper);
  ASSERT_NE(opening.port, nullptr);
  EXPECT_TRUE(opening.shared);
  EXPECT_EQ(opening.sharedWith, "another driver registered on it");
  EXPECT_TRUE(sleeper.requests.empty());
  // The claim is released, and the device closed, as for an exclusive one.
  system.calls.clear();
  opening.port.reset();
  EXPECT_EQ(system.calls, (Calls{"ioctl 7 PPRELEASE", "close 7"}));
}

}  // namespace
}  // namespace quorvane::platform

#endif
