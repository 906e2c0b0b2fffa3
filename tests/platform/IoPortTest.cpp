#include "platform/IoPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FakeIoSystem.h"

namespace quorvane::platform {
namespace {

using testing::FakeIoSystem;
using Calls = std::vector<std::string>;

TEST(IoPortAccess, IopermUpTo0x3FFOtherwiseIoplAndGivenBackOnDestruction) {
  struct Case {
    std::uint16_t base;
    std::string grant;
    std::string giveBack;
  };
  const Case cases[] = {
      {0x378, "ioperm 0x378 3 on", "ioperm 0x378 3 off"},
      {0x278, "ioperm 0x278 3 on", "ioperm 0x278 3 off"},
      {0x3BC, "ioperm 0x3BC 3 on", "ioperm 0x3BC 3 off"},
      {0x3FD, "ioperm 0x3FD 3 on", "ioperm 0x3FD 3 off"},
      {0x3FE, "iopl 3", "iopl 0"},
      {0xE800, "iopl 3", "iopl 0"},
      {0xFFFD, "iopl 3", "iopl 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grant);
    FakeIoSystem system;
    IoPort::Opening opening = IoPort::Open(system, c.base);
    ASSERT_NE(opening.port, nullptr);
    EXPECT_EQ(opening.error, "");
    EXPECT_EQ(system.calls, Calls{c.grant});
    opening.port.reset();
    EXPECT_EQ(system.calls, (Calls{c.grant, c.giveBack}));
  }
}

TEST(IoPortWrite, RegistersMapOntoTheBaseAndControlKeepsBits4And5Clear) {
  struct Case {
    std::uint16_t base;
    std::uint16_t address;
    std::uint8_t value;
    Calls expected;
  };
  const Case cases[] = {
      {0x378, 0x378, 0x5A, {"outb 0x5A 0x378"}},
      {0x378, 0x378, 0xFF, {"outb 0xFF 0x378"}},
      {0x378, 0x37A, 0xFF, {"outb 0xCF 0x37A"}},
      {0x378, 0x37A, 0x0B, {"outb 0x0B 0x37A"}},
      {0xE800, 0x378, 0xFF, {"outb 0xFF 0xE800"}},
      {0xE800, 0x378, 0x30, {"outb 0x30 0xE800"}},
      {0xE800, 0x37A, 0xFF, {"outb 0xCF 0xE802"}},
      {0xE800, 0x37A, 0x10, {"outb 0x00 0xE802"}},
      {0xE800, 0x379, 0x12, {}},
      {0x378, 0x3BC, 0x12, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.base << " " << c.address);
    FakeIoSystem system;
    IoPort::Opening opening = IoPort::Open(system, c.base);
    system.calls.clear();
    opening.port->Out32(c.address, c.value);
    EXPECT_EQ(system.calls, c.expected);
  }
}

TEST(IoPortWrite, AFailedOutbIsLatchedAndNothingMoreIsWritten) {
  FakeIoSystem system;
  system.failingOutb = 2;
  system.outbError = -EIO;
  IoPort::Opening opening = IoPort::Open(system, 0x378);
  system.calls.clear();
  opening.port->Out32(kDataRegister, 0x10);
  EXPECT_FALSE(opening.port->Failed());
  opening.port->Out32(kControlRegister, 0xFF);
  opening.port->Out32(kDataRegister, 0x00);
  EXPECT_EQ(system.calls, (Calls{"outb 0x10 0x378", "outb 0xCF 0x37A"}));
  EXPECT_TRUE(opening.port->Failed());
  EXPECT_EQ(opening.port->Failure().reason, "io: Input/output error");
  EXPECT_EQ(opening.port->Failure().unsentWrites, 1u);
}

TEST(IoPortAccess, RefusedAccessNamesTheBaseAndWhatItNeeds) {
  FakeIoSystem low;
  low.iopermResult = -EPERM;
  IoPort::Opening refusedLow = IoPort::Open(low, 0x378);
  EXPECT_EQ(refusedLow.port, nullptr);
  EXPECT_EQ(refusedLow.error,
            "direct port I/O at 0x378 needs root or the CAP_SYS_RAWIO capability");
  EXPECT_EQ(low.calls, Calls{"ioperm 0x378 3 on"});

  FakeIoSystem high;
  high.ioplResult = -EPERM;
  IoPort::Opening refusedHigh = IoPort::Open(high, 0xE800);
  EXPECT_EQ(refusedHigh.port, nullptr);
  EXPECT_EQ(refusedHigh.error,
            "direct port I/O at 0xE800 needs root or the CAP_SYS_RAWIO capability");
  EXPECT_EQ(high.calls, Calls{"iopl 3"});
}

TEST(IoPortAccess, OtherFailuresGiveTheSystemsReason) {
  FakeIoSystem system;
  system.iopermResult = -EINVAL;
  IoPort::Opening opening = IoPort::Open(system, 0x278);
  EXPECT_EQ(opening.port, nullptr);
  EXPECT_THAT(opening.error,
              ::testing::StartsWith("direct port I/O at 0x278 could not be enabled: "));
}

}  // namespace
}  // namespace quorvane::platform
