// The inpout32 backend with the real DLL layer (Windows): the DLL's functions
// found by their names and called with its calling convention, and the
// message when no inpout32 is installed, as under Wine.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/folders/ProgramPath.h"
#include "platform/ports/PortFactory.h"
#include "platform/ports/parallel/InpoutPort.h"
#include "platform/ports/parallel/WindowsInpoutSystem.h"

namespace quorvane::platform {
namespace {

TEST(WindowsInpoutSystem, NoDllInstalledGivesTheSystemsWordsAndWhatToDo) {
  const std::string words = WindowsInpoutSystem().ErrorText(ERROR_MOD_NOT_FOUND);
  ASSERT_FALSE(words.empty()) << "the system has words for error 126";
  const OpenedPort opened = OpenPort("inpout32", RealPortSystems());
  EXPECT_EQ(opened.port, nullptr);
  EXPECT_FALSE(opened.usageError);
  EXPECT_EQ(opened.error.rfind("inpoutx64.dll could not be loaded: ", 0), 0u) << opened.error;
  EXPECT_NE(opened.error.find(" (error 126); put inpoutx64.dll from the InpOut32 package next "
                              "to the program, then run the program once as administrator"),
            std::string::npos)
      << opened.error;

  // auto goes on with the simulated port and says why.
  const OpenedPort automatic = OpenPort("auto", RealPortSystems());
  ASSERT_NE(automatic.sim, nullptr);
  EXPECT_EQ(automatic.notice, "No parallel port could be used (" + opened.error +
                                  "); port writes go to the simulated port.");
}

// The stand-in DLL's own functions, to set the driver's state and read back
// the writes.
struct FakeDll {
  FakeDll() : module(GetModuleHandleW(L"inpoutx64.dll")) {}
  void SetDriverOpen(bool open) const {
    using Set = void(__stdcall*)(BOOL);
    reinterpret_cast<Set>(reinterpret_cast<void (*)()>(
        GetProcAddress(module, "FakeSetDriverOpen")))(open ? TRUE : FALSE);
  }
  std::vector<int> Writes() const {
    using Get = int(__stdcall*)(int*, int);
    std::vector<int> writes(64);
    const int count = reinterpret_cast<Get>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "FakeWrites")))(writes.data(), 64);
    writes.resize(static_cast<std::size_t>(count));
    return writes;
  }
  HMODULE module;
};

TEST(WindowsInpoutSystem, CallsOut32AndIsInpOutDriverOpenOfTheLoadedDll) {
  const std::string folder = ExecutableFolder() + "fake-inpout\\";
  InpoutPort::Opening opening = InpoutPort::Open(std::make_unique<WindowsInpoutSystem>(folder));
  ASSERT_NE(opening.port, nullptr) << opening.error;
  const FakeDll dll;
  ASSERT_NE(dll.module, nullptr) << "the DLL stays loaded while the port lives";
  opening.port->Out32(0x378, 0x10);
  opening.port->Out32(0x37A, 0xFF);
  EXPECT_EQ(dll.Writes(), (std::vector<int>{0x37810, 0x37ACF}));
  EXPECT_FALSE(opening.port->Failed());

  // A refused call leaves the thread's last error set: the port fails with
  // the system's words and writes nothing more.
  dll.SetDriverOpen(false);
  opening.port->Out32(0x378, 0x11);
  opening.port->Out32(0x378, 0x12);
  EXPECT_TRUE(opening.port->Failed());
  EXPECT_EQ(opening.port->Failure().reason.rfind("inpout32: ", 0), 0u);
  EXPECT_NE(opening.port->Failure().reason.find("(error 6)"), std::string::npos)
      << opening.port->Failure().reason;
  EXPECT_EQ(dll.Writes().size(), 3u);

  // Opened again with the driver closed: refused before any write.
  InpoutPort::Opening refused = InpoutPort::Open(std::make_unique<WindowsInpoutSystem>(folder));
  EXPECT_EQ(refused.port, nullptr);
  EXPECT_EQ(refused.error.rfind("the inpout32 driver is not loaded", 0), 0u) << refused.error;
  dll.SetDriverOpen(true);
  opening.port.reset();
  EXPECT_EQ(GetModuleHandleW(L"inpoutx64.dll"), nullptr) << "unloaded with the port";
}

}  // namespace
}  // namespace quorvane::platform
