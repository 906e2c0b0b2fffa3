// quorvane-send on hardware that fails mid-run: the stand-in of each backend's
// lowest call fails at one write; the run stops there with status 1, says so
// once on standard error, runs no later action, and its summary says how many
// writes went out. A trace file that cannot be written is reported with the
// write it stopped at; the writes go on and the status is 1.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "CsvTrace.h"
#include "SendRun.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;

using testing::SendRun;

class SendPortFailure : public ::testing::Test, protected testing::SendRig {};

// The reset event is 3 writes (SB, DL, SB), a byte of the shipped events 18.
const Lines kActions = {"--reset", "--command", "1, 2", "--data", "3"};

Lines With(Lines front, const Lines& back) {
  front.insert(front.end(), back.begin(), back.end());
  return front;
}

TEST_F(SendPortFailure, APpdevWriteThatFailsStopsTheRunAtIt) {
  if (!testing::kPpdevHere) GTEST_SKIP() << "ppdev is Linux's";
  ppdev.failingWrite = 20;  // the 17th write of the command list
  const SendRun run = Send(With({"--port", "ppdev", "--trace", folder.File("t.csv")}, kActions));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorvane-send: The port ppdev:/dev/parport0 failed after 16 of 36 writes of command "
            "list \"1, 2\": ppdev: Input/output error.\n");
  EXPECT_NE(run.out.find("reset event: 3 port writes"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("command list \"1, 2\": 2 bytes, 16 port writes"), std::string::npos);
  EXPECT_EQ(run.out.find("data list"), std::string::npos) << "the later action is not run";
  EXPECT_NE(run.out.find("stopped: 19 port writes went out, then the port failed\n"),
            std::string::npos);
  EXPECT_EQ(run.out.find("done:"), std::string::npos);
  // Nothing after the failed write reached the port or the trace; the port is
  // still given back.
  EXPECT_EQ(ppdev.DataWrites().size(), 20u);
  EXPECT_EQ(ppdev.calls.back(), "close 7");
  EXPECT_EQ(testing::ReadCsvTrace(folder.Read("t.csv")).size(), 19u);
}

TEST_F(SendPortFailure, EachBackendNamesItsPortAndReason) {
  struct Case {
    Lines port;
    std::function<void()> breakIt;  // makes write 5 fail
    std::string sentence;
  };
  const Case cases[] = {
      {{"--port", "io"},
       // The opening's own outbs (the direction bit, its check) come first.
       [this] { io.failingOutb = testing::FakeIoSystem::kOpeningOutbs + 5; },
       "The port io:0x378 failed after 1 of 36 writes of command list \"1, 2\": io: "
       "Input/output error."},
      {{"--port", "gpio:gpiochip0:17,27,22,23,24"},
       [this] {
         gpio.setResults = {0, 0, 0, 0, -ENODEV};
       },
       // A write that changes none of the five lines needs no set.
       "The port gpio:gpiochip0:17,27,22,23,24 failed after 3 of 36 writes of command list "
       "\"1, 2\": the GPIO chip went away."},
      {{"--port", "ftdi"},
       [this] { ftdi.failingWrite = 3; },
       // The adapter sends at the end of each action and before each wait.
       "The port ftdi:0403:6001 failed after 0 of 36 writes of command list \"1, 2\": the "
       "adapter was unplugged."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port[1]);
    ppdev = {};
    io = {};
    ftdi = {};
    gpio = {};
    c.breakIt();
    const SendRun run = Send(With(c.port, kActions));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("quorvane-send: " + c.sentence + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("data list"), std::string::npos);
    EXPECT_NE(run.out.find("stopped: "), std::string::npos);
  }
}

// The adapter holds the first byte until the wait of the delay item; that
// transfer fails, so the wait and everything after it do not happen.
TEST_F(SendPortFailure, AnAdapterThatFailsBeforeAWaitSkipsTheWait) {
  ftdi.failingWrite = 1;
  const SendRun run = Send({"--port", "ftdi", "--command", "1, #500, 2", "--reset"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(sleeper.requests.empty());
  EXPECT_EQ(ftdi.writes.size(), 1u);
  EXPECT_NE(run.err.find("The port ftdi:0403:6001 failed after 0 of 36 writes of command list "
                         "\"1, #500, 2\": the adapter was unplugged."),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("waited 0 ms"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("reset event"), std::string::npos);
  EXPECT_NE(run.out.find("stopped: 0 port writes went out, then the port failed"),
            std::string::npos);
}

TEST_F(SendPortFailure, APictureSeriesEndsAtTheFrameWhoseWriteFailed) {
  if (!testing::kPpdevHere) GTEST_SKIP() << "ppdev is Linux's";
  ppdev.failingWrite = 504 * 18 + 100;  // in the second frame
  const SendRun run = Send({"--port", "ppdev", "--folder", QUORVANE_DATA_DIR, "--series"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("picture series: 1 picture, 9171 port writes"), std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("failed after 9,171 writes of picture series: ppdev: Input/output "
                         "error."),
            std::string::npos)
      << run.err;
}

// /dev/full takes no byte: every write fails with ENOSPC, as on a full disk.
TEST_F(SendPortFailure, ATraceThatCannotBeWrittenIsReportedAndTheWritesGoOn) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const char* name : {"full.csv", "full.vcd"}) {
    SCOPED_TRACE(name);
    std::filesystem::create_symlink("/dev/full", folder.Path() / name);
    const SendRun run = Send({"--port", "sim", "--trace", folder.File(name), "--reset", "--zero"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quorvane-send: The trace stopped at write 1: the trace file '" +
                           folder.File(name) +
                           "' could not be written (No space left on device). The port writes "
                           "go on without it.\n");
    EXPECT_NE(run.out.find("Do 0: 1 port write"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("done: 4 port writes, trace in " + folder.File(name) +
                           " (stopped at write 1)"),
              std::string::npos)
        << run.out;
  }
}

}  // namespace
}  // namespace quorvane::cli
