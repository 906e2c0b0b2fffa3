// The inpout32 backend against a stand-in of its DLL: what it loads, what it
// asks the DLL before it takes the port, and the messages that tell the user
// what to do when the DLL or its driver is missing.

#include "platform/ports/parallel/InpoutPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeInpoutSystem.h"
#include "FakeIoSystem.h"
#include "FakePpdevSystem.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::platform {
namespace {

using testing::InpoutScript;
using Calls = std::vector<std::string>;

// FormatMessage's words for the codes the tests use, as Windows gives them.
InpoutScript WithWindowsWords() {
  InpoutScript script;
  script.words = {{126, "The specified module could not be found.\r\n"},
                  {193, "%1 is not a valid Win32 application.\r\n"},
                  {5, "Access is denied.\r\n"},
                  {31, "A device attached to the system is not functioning.\r\n"}};
  return script;
}

TEST(InpoutPort, LoadsTheDllOfItsOwnWidthAndAsksForTheDriverFirst) {
  // A 64-bit program loads only inpoutx64.dll: Windows cannot load the
  // 32-bit inpout32.dll into it, so it is no fallback.
  EXPECT_STREQ(InpoutPort::kLibraryName, sizeof(void*) == 8 ? "inpoutx64.dll" : "inpout32.dll");
  const std::string load = std::string("load ") + InpoutPort::kLibraryName;

  InpoutScript script = WithWindowsWords();
  InpoutPort::Opening opening = InpoutPort::Open(script.Factory()());
  ASSERT_NE(opening.port, nullptr);
  EXPECT_EQ(opening.error, "");
  EXPECT_EQ(opening.notice, "");
  // Addresses as the program wrote them; the control register keeps bits 4
  // and 5 clear.
  opening.port->Out32(0x378, 0x5A);
  opening.port->Out32(0x37A, 0xFF);
  opening.port->Out32(0x378, 0x00);
  opening.port->Out32(0x37A, 0x0B);
  EXPECT_EQ(script.calls, (Calls{load, "IsInpOutDriverOpen", "Out32 0x378 0x5A", "Out32 0x37A 0xCF",
                                 "Out32 0x378 0x00", "Out32 0x37A 0x0B"}));
  opening.port.reset();
  EXPECT_EQ(script.calls.back(), "free");
}

TEST(InpoutPort, ADriverThatIsNotOpenRefusesThePortAndSaysWhatToDo) {
  InpoutScript script = WithWindowsWords();
  script.driverOpen = false;
  const InpoutPort::Opening opening = InpoutPort::Open(script.Factory()());
  EXPECT_EQ(opening.port, nullptr);
  EXPECT_EQ(opening.error,
            std::string("the inpout32 driver is not loaded, so ") + InpoutPort::kLibraryName +
                " cannot reach the port: run the program once as administrator (right-click, "
                "Run as administrator) to install the driver. If it still is not loaded, "
                "Windows may block it through its vulnerable driver blocklist (Windows "
                "Security, Device security, Core isolation).");
  EXPECT_EQ(script.calls,
            (Calls{std::string("load ") + InpoutPort::kLibraryName, "IsInpOutDriverOpen", "free"}))
      << "nothing written, and the DLL let go";
}

TEST(InpoutPort, ALoadThatFailsIsReportedInTheSystemsWords) {
  const std::string name = InpoutPort::kLibraryName;
  const struct {
    std::uint32_t error;
    std::string message;
  } cases[] = {
      {126, name +
                " could not be loaded: The specified module could not be found (error 126); "
                "put " +
                name +
                " from the InpOut32 package next to the program, then run "
                "the program once as administrator to install its driver"},
      {193, name + " could not be loaded: " + name +
                " is not a valid Win32 application (error "
                "193); this 64-bit program needs " +
                name + " from the InpOut32 package"},
      {5, name + " could not be loaded: Access is denied (error 5)"},
      {1234, name + " could not be loaded: error 1234"},  // no words for it
  };
  for (const auto& c : cases) {
    InpoutScript script = WithWindowsWords();
    script.loadError = c.error;
    const InpoutPort::Opening opening = InpoutPort::Open(script.Factory()());
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.message);
    EXPECT_EQ(script.calls, Calls{"load " + name}) << "one DLL only, and nothing else asked";
  }
}

TEST(InpoutPort, WhatTheDllLacks) {
  const std::string name = InpoutPort::kLibraryName;
  InpoutScript noOut32 = WithWindowsWords();
  noOut32.exports = {"Inp32", "IsInpOutDriverOpen"};
  const InpoutPort::Opening refused = InpoutPort::Open(noOut32.Factory()());
  EXPECT_EQ(refused.port, nullptr);
  EXPECT_EQ(refused.error, name + " was loaded but has no Out32 function");

  // Versions before 1.5 cannot say whether the driver is open: the port opens,
  // and the user is told once that its writes are not confirmed.
  InpoutScript old = WithWindowsWords();
  old.exports = {"Out32", "Inp32"};
  const InpoutPort::Opening opened = InpoutPort::Open(old.Factory()());
  ASSERT_NE(opened.port, nullptr);
  EXPECT_EQ(opened.notice,
            name +
                " has no IsInpOutDriverOpen (a version before 1.5): whether its driver "
                "reaches the port cannot be checked, and writes are not confirmed.");
  EXPECT_EQ(old.calls, Calls{"load " + name});
}

TEST(InpoutPort, AWriteTheDriverRefusesIsLatchedAndNothingMoreIsWritten) {
  InpoutScript script = WithWindowsWords();
  script.failingOut32 = 2;
  script.outError = 31;
  InpoutPort::Opening opening = InpoutPort::Open(script.Factory()());
  ASSERT_NE(opening.port, nullptr);
  for (const std::uint8_t value : {0x10, 0x11, 0x12}) opening.port->Out32(0x378, value);
  EXPECT_TRUE(opening.port->Failed());
  EXPECT_EQ(opening.port->Failure().reason,
            "inpout32: A device attached to the system is not functioning (error 31)");
  EXPECT_EQ(script.calls.back(), "Out32 0x378 0x11");
}

// The factory: inpout32 by name, and auto where the system has the DLL's layer.
class InpoutPortFactory : public ::testing::Test {
 protected:
  PortSystems Systems() {
    PortSystems systems{ppdev, &io};
    systems.inpout = script.Factory();
    return systems;
  }

  testing::FakePpdevSystem ppdev;
  testing::FakeIoSystem io;
  InpoutScript script = WithWindowsWords();
};

TEST_F(InpoutPortFactory, Inpout32AndAutoOpenTheDllWhereTheSystemHasIt) {
  for (const char* portText : {"inpout32", "auto"}) {
    script.calls.clear();
    OpenedPort opened = OpenPort(portText, Systems());
    ASSERT_NE(opened.port, nullptr) << portText;
    EXPECT_EQ(opened.name, "inpout32");
    EXPECT_EQ(opened.sim, nullptr);
    EXPECT_EQ(opened.notice, "");
    EXPECT_TRUE(ppdev.calls.empty()) << "no ppdev where the DLL stands for the port";
  }
  script.exports.erase("IsInpOutDriverOpen");
  EXPECT_NE(OpenPort("inpout32", Systems()).notice, "");
}

TEST_F(InpoutPortFactory, ARefusedDriverIsAnErrorByNameAndTheSimulatedPortForAuto) {
  script.driverOpen = false;
  const OpenedPort named = OpenPort("inpout32", Systems());
  EXPECT_EQ(named.port, nullptr);
  EXPECT_FALSE(named.usageError);
  EXPECT_EQ(named.error.rfind("the inpout32 driver is not loaded", 0), 0u) << named.error;

  const OpenedPort automatic = OpenPort("auto", Systems());
  ASSERT_NE(automatic.sim, nullptr);
  EXPECT_EQ(automatic.notice, "No parallel port could be used (" + named.error +
                                  "); port writes go to the simulated port.");
}

}  // namespace
}  // namespace quorvane::platform
