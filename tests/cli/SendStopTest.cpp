// quorvane-send asked to stop (SIGINT, SIGTERM, SIGHUP, SIGQUIT) never stops
// inside a byte: a list or a picture ends between two runs of its event, an
// action of one piece runs to its end, and what a buffering port holds goes
// out. Each case runs in a child process, as a stop request cannot be taken
// back; the child's trace, status and standard error tell what it did. What
// standard error must hold is given as plain texts: on Windows a death test's
// pattern is GoogleTest's own simple one, whose '.' stops at a line's end.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "CsvTrace.h"
#include "SendRun.h"
#include "StandardEvents.h"
#include "platform/StopSignal.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;
using ::testing::AllOf;
using ::testing::HasSubstr;

constexpr const char* kSharedFolder = "QUORVANE_TEST_STOP_FOLDER";

class SendByteBoundaryDeathTest : public ::testing::Test, protected testing::SendRig {
 protected:
  SendByteBoundaryDeathTest() : SendRig(kSharedFolder) {
    testing::CopyStandardEvents(folder);
    executableFolder = folder.Folder();
  }

  // Runs quorvane-send in this (child) process and ends it with its status,
  // its standard output and error on standard error for the death test's
  // pattern.
  [[noreturn]] void SendAndExit(const Lines& args) {
    const testing::SendRun run = Send(args);
    std::cerr << run.out << run.err;
    if (ftdi.made > 0) std::cerr << "adapter: " << ftdi.Bytes().size() << " bytes\n";
    std::exit(run.status);
  }
};

// A data event that waits in the middle of each byte: SB 25, TX (16
// writes), DL 5 (a write after the wait), SB 25: 19 writes per byte.
constexpr const char* kWaitingDataEvent =
    "Data byte with a wait inside\r\nSB, 25\r\nTX, 20,SL,DH,\r\nDL, 5\r\nSB, 25\r\n";

TEST_F(SendByteBoundaryDeathTest, AStopInsideAByteLetsTheByteFinishWithItsWait) {
  folder.Write("2.evnt", kWaitingDataEvent);
  const std::string trace = folder.File("t.csv");
  // The stop comes in the wait inside the first byte.
  sleeper.onSleep = [](std::uint32_t) { platform::RequestStop(); };
  EXPECT_EXIT(SendAndExit({"--port", "sim", "--trace", trace, "--data", "1, 2, 3"}),
              ::testing::ExitedWithCode(1),
              "data list \"1, 2, 3\": stopped after 1 of 3 bytes, 19 port writes, waited 5 ms\n"
              "stopped by a stop request: 19 port writes went out\n");
  const std::vector<std::uint8_t> traced = testing::DataValues(folder.Read("t.csv"));
  ASSERT_EQ(traced.size(), 19u) << "the whole first byte, nothing of the second";
  EXPECT_EQ(traced.back(), 25u);
}

TEST_F(SendByteBoundaryDeathTest, APictureStopsBetweenTwoOfItsBytes) {
  const std::string trace = folder.File("t.csv");
  // The stop comes with the 100th port write, inside the sixth byte
  // (18 writes each): the sixth byte finishes, the seventh never begins.
  io.onOutb = [](int outb) {
    if (outb == testing::FakeIoSystem::kOpeningOutbs + 100) platform::RequestStop();
  };
  EXPECT_EXIT(SendAndExit({"--port", "io", "--trace", trace, "--image",
                           QUORVANE_DATA_DIR "/images/lcd_0.bmp"}),
              ::testing::ExitedWithCode(1),
              "picture .*lcd_0.bmp: stopped after 6 of 504 bytes, 108 port writes, waited 0 ms\n");
  EXPECT_EQ(testing::DataValues(folder.Read("t.csv")).size(), 6u * 18);
}

TEST_F(SendByteBoundaryDeathTest, AnActionOfOnePieceRunsToItsEndAndTheNextDoesNotBegin) {
  const std::string trace = folder.File("t.csv");
  // The stop comes in the first wait of the power-on sequence: RESET still
  // goes low for its 500 ms and high again.
  sleeper.onSleep = [this](std::uint32_t) {
    platform::RequestStop();
    std::cerr << "wait " << sleeper.requests.back() << "\n";
  };
  EXPECT_EXIT(SendAndExit({"--port", "sim", "--trace", trace, "--power-on", "--data", "1"}),
              ::testing::ExitedWithCode(1),
              AllOf(HasSubstr("wait 50\nwait 500\n"),
                    HasSubstr("power on: 3 port writes, waited 550 ms\ndata list \"1\": stopped "
                              "before its first write, 0 port writes, waited 0 ms\n")));
  EXPECT_EQ(testing::DataValues(folder.Read("t.csv")), (std::vector<std::uint8_t>{0xEF, 0xFF}));

  // As the last action it runs to its end too; the status still says it was
  // stopped.
  EXPECT_EXIT(SendAndExit({"--port", "sim", "--power-on"}), ::testing::ExitedWithCode(1),
              AllOf(HasSubstr("power on: 3 port writes, waited 550 ms\ndone: 3 port writes\n"),
                    HasSubstr("stopped by a stop request as the last action ran; it ran to its "
                              "end\n")));
}

TEST_F(SendByteBoundaryDeathTest, AnAdapterSendsWhatItHoldsBeforeTheRunEnds) {
  folder.Write("2.evnt", kWaitingDataEvent);
  // The adapter holds writes until a wait or the end of an action: the last
  // two writes of the first byte come after its wait, and are held when the
  // stop ends the run.
  sleeper.onSleep = [](std::uint32_t) { platform::RequestStop(); };
  EXPECT_EXIT(SendAndExit({"--port", "ftdi", "--data", "1, 2, 3", "--shutdown"}),
              ::testing::ExitedWithCode(1),
              AllOf(HasSubstr("stopped by a stop request: 21 port writes went out, the "
                              "shut-down writes last\n"),
                    HasSubstr("the shut-down writes followed (--shutdown): all lines low, "
                              "control register 0\nadapter: 20 bytes\n")));
}

}  // namespace
}  // namespace quorvane::cli
