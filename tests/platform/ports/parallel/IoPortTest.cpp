#include "platform/ports/parallel/IoPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "FakeIoSystem.h"

namespace quorvane::platform {
namespace {

using testing::FakeIoSystem;
using Calls = std::vector<std::string>;

// The calls of the opening's check at a base whose data register holds 0x1B:
// the two patterns written and read back, then 0x1B written back.
Calls CheckCalls(const std::string& base) {
  return {"inb " + base,       "outb 0x5A " + base, "inb " + base,
          "outb 0xBD " + base, "inb " + base,       "outb 0x1B " + base};
}

// ioperm covers all 65,536 ports since Linux 2.6.8 (its manual page; the
// kernel checks from + num against IO_BITMAP_BITS, 65536, in
// arch/x86/kernel/ioport.c): no base needs iopl, which is deprecated and
// emulated by the kernel through the same bitmap.
TEST(IoPortAccess, IopermForEveryBaseGivenBackOnDestruction) {
  for (const std::uint16_t base : {0x378, 0x278, 0x3BC, 0x3FD, 0x3FE, 0xE800, 0xFFFD}) {
    SCOPED_TRACE(base);
    char grant[32], giveBack[32];
    std::snprintf(grant, sizeof grant, "ioperm 0x%02X 3 on", base);
    std::snprintf(giveBack, sizeof giveBack, "ioperm 0x%02X 3 off", base);
    FakeIoSystem system;
    IoPort::Opening opening = IoPort::Open(system, base);
    ASSERT_NE(opening.port, nullptr);
    EXPECT_EQ(opening.error, "");
    EXPECT_EQ(system.calls.front(), grant);
    system.calls.clear();
    opening.port.reset();
    EXPECT_EQ(system.calls, Calls{giveBack});
  }
}

// ppdev's PPDATADIR with 0 calls the port driver's data_forward, which clears
// bit 5 of the control register and keeps the others (drivers/char/ppdev.c,
// parport_pc's frob of the control register). The io port does the same at
// open: read the control register, write it back with bit 5 clear.
TEST(IoPortAccess, OpeningClearsTheDirectionBitAndKeepsTheOtherControlBits) {
  struct Case {
    int control;          // what the control register reads
    std::string written;  // what the opening writes back
  };
  const Case cases[] = {
      {0x2C, "outb 0x0C 0xE802"},  // reverse mode, left by another program
      {0xEF, "outb 0xCF 0xE802"}, {0x20, "outb 0x00 0xE802"},
      {0xC4, "outb 0xC4 0xE802"},  // forward already: written back unchanged
      {0x10, "outb 0x10 0xE802"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    FakeIoSystem system;
    system.inbResult = c.control;
    IoPort::Opening opening = IoPort::Open(system, 0xE800);
    ASSERT_NE(opening.port, nullptr);
    Calls expected = {"ioperm 0xE800 3 on", "inb 0xE802", c.written};
    for (const std::string& call : CheckCalls("0xE800")) expected.push_back(call);
    EXPECT_EQ(system.calls, expected);
  }
  // The opening's write is the port's own: the writes of the program count
  // from the first Out32, and a failed opening write refuses the port.
  FakeIoSystem failing;
  failing.failingOutb = 1;
  IoPort::Opening refused = IoPort::Open(failing, 0x378);
  EXPECT_EQ(refused.port, nullptr);
  EXPECT_EQ(refused.error,
            "cannot make the port at 0x378 drive its data lines: Input/output error");
  EXPECT_EQ(failing.calls,
            (Calls{"ioperm 0x378 3 on", "inb 0x37A", "outb 0xC4 0x37A", "ioperm 0x378 3 off"}));
}

// The data register of a standard port in output mode reads back what was
// written; where no port sits, the bus reads 0xFF. The opening writes two
// patterns that keep CS and RESET high (the module takes no clock edge), reads
// each back, and always writes back what the register held.
TEST(IoPortAccess, OpeningChecksThatAPortAnswersAndRestoresTheDataRegister) {
  struct Case {
    const char* name;
    std::uint16_t base;
    bool answers;
    int stuckHigh;    // data-register bits that read 1 whatever was written
    int failingOutb;  // 0: none
    std::string error;
    Calls check;  // the calls after the direction bit was cleared, to the access given back
  };
  // What the data register reads before the check is what goes back.
  const Calls emptyBus = {"inb 0x17A", "outb 0x5A 0x17A", "inb 0x17A", "outb 0xFF 0x17A",
                          "ioperm 0x17A 3 off"};
  const Calls refusedAtFirst = {"inb 0x17A", "outb 0x5A 0x17A", "inb 0x17A", "outb 0x1B 0x17A",
                                "ioperm 0x17A 3 off"};
  const Case cases[] = {
      {"a port answers",
       0x378,
       true,
       0,
       0,
       "",
       {"inb 0x378", "outb 0x5A 0x378", "inb 0x378", "outb 0xBD 0x378", "inb 0x378",
        "outb 0x1B 0x378", "ioperm 0x378 3 off"}},
      {"nothing at the base", 0x17A, false, 0, 0,
       "no parallel port answers at 0x17A: its data register read 0xFF after 0x5A was written; "
       "give the card's base as /proc/ioports or lspci -v shows it (io:378, io:E800)",
       emptyBus},
      {"a data line stuck high", 0x17A, true, 0x01, 0,
       "no parallel port answers at 0x17A: its data register read 0x5B after 0x5A was written; "
       "give the card's base as /proc/ioports or lspci -v shows it (io:378, io:E800)",
       refusedAtFirst},
      {"a line stuck high that only the second pattern shows",
       0x17A,
       true,
       0x40,
       0,
       "no parallel port answers at 0x17A: its data register read 0xFD after 0xBD was written; "
       "give the card's base as /proc/ioports or lspci -v shows it (io:378, io:E800)",
       {"inb 0x17A", "outb 0x5A 0x17A", "inb 0x17A", "outb 0xBD 0x17A", "inb 0x17A",
        "outb 0x5B 0x17A", "ioperm 0x17A 3 off"}},
      {"a pattern that cannot be written",
       0x378,
       true,
       0,
       3,
       "cannot write the data register at 0x378: Input/output error",
       {"inb 0x378", "outb 0x5A 0x378", "inb 0x378", "outb 0xBD 0x378", "outb 0x1B 0x378",
        "ioperm 0x378 3 off"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeIoSystem system;
    system.portAnswers = c.answers;
    system.stuckHigh = c.stuckHigh;
    system.failingOutb = c.failingOutb;
    IoPort::Opening opening = IoPort::Open(system, c.base);
    EXPECT_EQ(opening.port == nullptr, !c.error.empty());
    EXPECT_EQ(opening.error, c.error);
    opening.port.reset();
    ASSERT_GE(system.calls.size(), 3u);
    EXPECT_EQ(Calls(system.calls.begin() + 3, system.calls.end()), c.check);
    if (c.answers && c.stuckHigh == 0) {
      EXPECT_EQ(system.data, 0x1B) << "the byte the register held is back";
    }
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
  system.failingOutb = FakeIoSystem::kOpeningOutbs + 2;  // after the opening's own writes
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

// ioperm answers EPERM both to a thread without CAP_SYS_RAWIO and to any
// thread, root included, while the kernel is locked down
// (security_locked_down(LOCKDOWN_IOPORT) in arch/x86/kernel/ioport.c); the
// active mode stands in brackets in /sys/kernel/security/lockdown. A kernel
// built without CONFIG_X86_IOPL_IOPERM has no ioperm: ENOSYS.
TEST(IoPortAccess, RefusedAccessSaysWhetherPrivilegeLockdownOrTheKernelIsMissing) {
  const std::string privilege =
      "direct port I/O at 0xE800 needs root or the CAP_SYS_RAWIO capability";
  struct Case {
    int error;
    std::string lockdown;  // the text of /sys/kernel/security/lockdown
    std::string expected;
    bool readsLockdown;
  };
  const Case cases[] = {
      {EPERM, "[none] integrity confidentiality\n", privilege, true},
      {EPERM, "", privilege, true},  // no lockdown file (kernel without it)
      {EPERM, "none integrity confidentiality\n", privilege, true},
      {EPERM, "none [integrity] confidentiality\n",
       "direct port I/O at 0xE800 is refused by the kernel's lockdown (mode integrity, which "
       "Secure Boot usually switches on), also for root; use the ppdev port "
       "(ppdev:/dev/parportN) instead",
       true},
      {EPERM, "none integrity [confidentiality]\n",
       "direct port I/O at 0xE800 is refused by the kernel's lockdown (mode confidentiality, "
       "which Secure Boot usually switches on), also for root; use the ppdev port "
       "(ppdev:/dev/parportN) instead",
       true},
      {EACCES, "none [integrity] confidentiality\n", privilege, false},
      {ENOSYS, "",
       "direct port I/O at 0xE800 is not possible: this kernel was built without I/O-port "
       "access (ioperm is missing); use the ppdev port (ppdev:/dev/parportN) instead",
       false},
      {EINVAL, "", "direct port I/O at 0xE800 could not be enabled: Invalid argument", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    FakeIoSystem system;
    system.iopermResult = -c.error;
    system.lockdownText = c.lockdown;
    IoPort::Opening opening = IoPort::Open(system, 0xE800);
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.expected);
    Calls calls = {"ioperm 0xE800 3 on"};
    if (c.readsLockdown) calls.push_back("read lockdown");
    EXPECT_EQ(system.calls, calls) << "nothing is written, nothing given back";
  }
}

TEST(IoPortAccess, TheLockdownModeIsTheWordInBrackets) {
  EXPECT_EQ(IoPort::LockdownMode("none [integrity] confidentiality\n"), "integrity");
  EXPECT_EQ(IoPort::LockdownMode("[none] integrity confidentiality\n"), "none");
  EXPECT_EQ(IoPort::LockdownMode("none integrity [confidentiality]"), "confidentiality");
  EXPECT_EQ(IoPort::LockdownMode(""), "");
  EXPECT_EQ(IoPort::LockdownMode("none integrity"), "");
  EXPECT_EQ(IoPort::LockdownMode("] none ["), "");
}

}  // namespace
}  // namespace quorvane::platform
