#include "cli/SendCommand.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "CsvTrace.h"
#include "SendRun.h"
#include "StandardEvents.h"
#include "VcdHeader.h"
#include "WireDecoder.h"
#include "platform/StopSignal.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;

using testing::SendRun;

class SendCommandTest : public ::testing::Test, protected testing::SendRig {
 protected:
  SendCommandTest() = default;
  explicit SendCommandTest(const char* sharedFolderVariable) : SendRig(sharedFolderVariable) {}

  // The rows of a trace that is whole: every line a row, numbered in order.
  std::vector<testing::TraceRow> Rows(const std::string& name) const {
    const std::string text = folder.Read(name);
    EXPECT_EQ(testing::CsvTraceFault(text), "") << name;
    return testing::ReadCsvTrace(text);
  }
  Lines SentBytes(const std::string& name) const {
    return testing::DecodeWire(testing::ValuesAt(Rows(name), 0x378));
  }
};

TEST_F(SendCommandTest, TheShippedEventsDriveTheModuleWithTheDefaultLists) {
  const SendRun run = Send({"--port", "sim", "--trace", folder.File("t.csv"), "--virtual-time",
                            "--reset", "--command", "33, 200, 5, 21, 32, 9, #500, 8, #500, 13",
                            "--data", "33, 197, 6, 19, 32, 12"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(sleeper.requests.empty()) << "virtual time never sleeps";

  // The reset event: RESET low with CS and SCLK high, 10 ms, RESET high again.
  const std::string reset =
      "index,time_us,address,value\n0,0,0x378,0x09\n1,10000,0x378,0x09\n2,10000,0x378,0x19\n"
      "3,10000,0x378,0x19\n";
  EXPECT_EQ(folder.Read("t.csv").substr(0, reset.size()), reset);

  const auto rows = Rows("t.csv");
  EXPECT_EQ(rows.size(), 3u + 14u * 18u) << "18 writes per byte through the standard events";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].address, 0x378u);
    EXPECT_EQ((rows[i].value & 0x10) != 0, i >= 2) << "RESET low only for the reset pulse";
  }
  EXPECT_EQ(SentBytes("t.csv"), (Lines{"c33", "c200", "c5", "c21", "c32", "c9", "c8", "c13", "d33",
                                       "d197", "d6", "d19", "d32", "d12"}));
  // The two 500 ms waits of the init sequence show as gaps in the trace time.
  EXPECT_EQ(rows[3 + 6 * 18].time - rows[3 + 6 * 18 - 1].time, 500000u);
  EXPECT_EQ(rows.back().time, 1010000u);
  EXPECT_NE(run.out.find("done: 255 port writes"), std::string::npos) << run.out;
}

TEST_F(SendCommandTest, PortSequencesAndRealWaits) {
  const SendRun run = Send({"--port=sim", "--trace=" + folder.File("s.csv"), "--startup",
                            "--power-off", "--power-on", "--zero", "--shutdown"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(sleeper.requests, (std::vector<std::uint32_t>{500, 50, 500}));
  Lines registers;
  for (const testing::TraceRow& row : Rows("s.csv")) {
    char text[16];
    std::snprintf(text, sizeof text, "%X=%02X", row.address, row.value);
    registers.push_back(text);
  }
  EXPECT_EQ(registers, (Lines{"378=10", "37A=FF",            // start-up
                              "37A=FF", "378=00",            // power off
                              "37A=00", "378=EF", "378=FF",  // power on
                              "378=00",                      // Do 0
                              "378=00", "37A=00"}));         // shutdown
}

TEST_F(SendCommandTest, AVcdTraceDumpsTheLinesOfTheRun) {
  const SendRun run = Send(
      {"--port", "sim", "--trace", folder.File("r.vcd"), "--virtual-time", "--reset", "--zero"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("trace in " + folder.File("r.vcd")), std::string::npos);
  // The reset pulse: RESET low for 10 ms with CS and SCLK high; the write of
  // the unchanged byte after the wait has no edge. Then "Do 0", one
  // microsecond later.
  EXPECT_EQ(folder.Read("r.vcd"), std::string(testing::kVcdHeader) +
                                      "#0\n$dumpvars\n1a\n0b\n0c\n1d\n0e\n$end\n"
                                      "#10000\n1e\n"
                                      "#10001\n0a\n0d\n0e\n"
                                      "#10002\n");
}

TEST_F(SendCommandTest, UsageErrorsAndRefusedListsSendNothing) {
  const struct {
    Lines args;
    std::string said;
  } cases[] = {
      {{}, "no action given"},
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--command"}, "--command needs a value"},
      {{"--reset=1"}, "--reset takes no value"},
      {{"--port", "nonsense", "--reset"}, "unknown port 'nonsense'"},
      {{"--port", "sim", "--trace", folder.File("t.txt"), "--reset"},
       "the trace file must end in .csv or .vcd"},
      {{"--port", "sim", "--trace", folder.File("t.vcd.txt"), "--reset"},
       "the trace file must end in .csv or .vcd"},
      {{"--port", "sim", "--reset", "--data", "1, 256"},
       "the list of --data is refused: item 2, '256': not a byte (0 to 255)"},
      {{"--port", "sim", "--data", "1, 256"}, "the list of --data is refused: item 2, '256'"},
      // An empty folder would be the root folder.
      {{"--port", "sim", "--folder=", "--reset"}, "--folder needs a folder, not an empty text"},
      {{"--port", "sim", "--folder", "", "--reset"}, "--folder needs a folder, not an empty text"},
  };
  for (const auto& [args, said] : cases) {
    const SendRun run = Send(args);
    const std::string name = args.empty() ? "(nothing)" : args[0];
    EXPECT_EQ(run.status, 2) << name;
    EXPECT_EQ(run.err.find("quorvane-send: " + said), 0u) << name << ": " << run.err;
    EXPECT_EQ(run.out, "") << "nothing ran";
  }
  const SendRun help = Send({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--virtual-time"), std::string::npos);
}

TEST_F(SendCommandTest, ReportsGoToStandardErrorWithStatusOne) {
  folder.Write("bad.evnt", "Bad steps\r\nSB, 300\r\nDL, -5\r\n");
  const SendRun run = Send({"--port", "sim", "--folder", folder.Path().string(), "--event", "bad",
                            "--event", "missing", "--reset", "--data", "1, #-3"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("step 'SB, 300' skipped"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("a negative delay waits 0 ms"), std::string::npos);
  EXPECT_NE(run.err.find("the event 'missing' could not be read"), std::string::npos);
  EXPECT_NE(run.err.find("0.evnt could not be read"), std::string::npos)
      << "this folder has no standard events";
  EXPECT_NE(run.err.find("item 2, '#-3': a negative delay waits 0 ms"), std::string::npos);
}

TEST_F(SendCommandTest, PicturesAndTheSeriesGoOutAsDataBytes) {
  // The shipped demo series: four frames of 504 bytes each.
  const SendRun series = Send({"--port", "sim", "--folder", QUORVANE_DATA_DIR, "--trace",
                               folder.File("series.csv"), "--series"});
  ASSERT_EQ(series.status, 0) << series.err;
  EXPECT_NE(series.out.find("picture series: 4 pictures, 36288 port writes"), std::string::npos)
      << series.out;
  const Lines bytes = SentBytes("series.csv");
  ASSERT_EQ(bytes.size(), 4u * 504);
  for (const std::string& byte : bytes) EXPECT_EQ(byte[0], 'd') << byte;
  // Each frame has a dark border: the first byte (bottom band, rightmost
  // column) is all dark, so all zeros at the start-up threshold.
  EXPECT_EQ(bytes[0], "d0");

  // One picture; --threshold 0 makes every pixel a 1, 16778 every pixel a 0.
  const std::string picture = std::string(QUORVANE_DATA_DIR) + "/images/lcd_1.bmp";
  for (const auto& [threshold, expected] :
       {std::pair{"0", "d255"}, std::pair{"16778", "d0"}, std::pair{"1.6778e4", "d0"}}) {
    const SendRun run = Send({"--port", "sim", "--trace", folder.File("p.csv"), "--threshold",
                              threshold, "--image", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(SentBytes("p.csv"), Lines(504, expected));
  }

  EXPECT_EQ(Send({"--threshold", "40000", "--image", picture}).status, 2);
  EXPECT_EQ(Send({"--threshold", "x", "--image", picture}).status, 2);
  EXPECT_EQ(Send({"--threshold", "8389.5", "--image", picture}).status, 2);
  const SendRun missing = Send({"--port", "sim", "--image", folder.File("none.bmp")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.bmp cannot be loaded: the file does not exist"),
            std::string::npos)
      << missing.err;
  const SendRun noSeries = Send({"--port", "sim", "--folder", folder.Path().string(), "--series"});
  EXPECT_NE(noSeries.out.find("picture series: 0 pictures, 0 port writes"), std::string::npos);
}

TEST_F(SendCommandTest, CountsTakeTheSingularForOne) {
  testing::CopyStandardEvents(folder, {"1.evnt", "2.evnt"});
  testing::CopyDemoPictures(folder, {"lcd_0.bmp"});
  const SendRun run =
      Send({"--port", "sim", "--folder", folder.Path().string(), "--virtual-time", "--command", "1",
            "--data", "1, 2", "--init", "", "--series", "--zero"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("command list \"1\": 1 byte, 18 port writes, waited 0 ms\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("data list \"1, 2\": 2 bytes, 36 port writes"), std::string::npos);
  EXPECT_NE(run.out.find("init sequence \"\": 0 bytes, 0 port writes"), std::string::npos);
  EXPECT_NE(run.out.find("picture series: 1 picture, 9072 port writes"), std::string::npos);
  EXPECT_NE(run.out.find("Do 0: 1 port write, waited 0 ms\n"), std::string::npos);

  const SendRun one = Send({"--port", "sim", "--zero"});
  EXPECT_NE(one.out.find("done: 1 port write\n"), std::string::npos) << one.out;
}

TEST_F(SendCommandTest, AStopEndsTheRunBetweenTwoBytesAndLeavesTheLinesAsTheyAre) {
  // A stop (a signal) arrives during the first "#500" of the init sequence,
  // between its sixth and seventh byte; there is no --shutdown.
  sleeper.onSleep = [](std::uint32_t) { throw platform::StopRequest(); };
  const SendRun run = Send({"--port", "sim", "--trace", folder.File("stop.csv"), "--init",
                            "33, 200, 5, 21, 32, 9, #500, 8", "--data", "1"});
  EXPECT_EQ(run.status, 1) << "without a signal number";
  EXPECT_NE(run.out.find("init sequence \"33, 200, 5, 21, 32, 9, #500, 8\": stopped after 6 of 7 "
                         "bytes, 108 port writes, waited 0 ms\nstopped by a stop request: 108 port "
                         "writes went out\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("data list"), std::string::npos) << "nothing runs after the stop";
  EXPECT_EQ(run.out.find("done:"), std::string::npos);
  EXPECT_EQ(run.err,
            "quorvane-send: stopped by a stop request during init sequence \"33, 200, 5, 21, 32, "
            "9, #500, 8\", after 6 of 7 bytes; the lines keep their levels (the shut-down writes "
            "follow a stop only when --shutdown is among the actions)\n");
  const auto rows = Rows("stop.csv");
  ASSERT_EQ(rows.size(), 6u * 18) << "six whole bytes, nothing after them";
  EXPECT_EQ(rows.back().value, 0x19u) << "the sixth byte's last write: CS high";
}

// A real signal, in a child process (the stop request cannot be taken back
// within one process): each that ends a program on the platform stops the run
// between two bytes,
// the shut-down writes follow only when --shutdown is among the actions, and
// the status is 128 + the signal's number.
class SendStopDeathTest : public SendCommandTest {
 protected:
  SendStopDeathTest() : SendCommandTest("QUORVANE_TEST_SIGNAL_FOLDER") {}
};

TEST_F(SendStopDeathTest, EverySignalThatEndsAProgramStopsItWithItsStatus) {
  const struct {
    int signal;
    const char* name;
    bool shutdown;
  } cases[] = {
#ifndef _WIN32
      {SIGHUP, "SIGHUP", true},
      {SIGQUIT, "SIGQUIT", false},
#else
      // Ctrl+Break; Ctrl+C is SIGINT and closing the console SIGTERM.
      {SIGBREAK, "SIGBREAK", true},
#endif
      {SIGTERM, "SIGTERM", true},
      {SIGINT, "SIGINT", false}};
  for (const auto& c : cases) {
    const std::string trace = folder.File(std::string(c.name) + ".csv");
    const auto runStopped = [&] {
      platform::InstallStopSignals();
      // The signal comes during the wait; the next byte does not begin.
      sleeper.onSleep = [&](std::uint32_t) { std::raise(c.signal); };
      Lines args = {"--port", "sim", "--trace", trace, "--init", "33, #500, 8, 9", "--data", "1"};
      if (c.shutdown) args.push_back("--shutdown");
      const SendRun run = Send(args);
      std::cerr << run.err;
      std::exit(run.status);
    };
    EXPECT_EXIT(runStopped(), ::testing::ExitedWithCode(128 + c.signal),
                std::string("stopped by ") + c.name +
                    " during init sequence \"33, #500, 8, 9\", after 1 of 3 bytes; " +
                    (c.shutdown ? "the shut-down writes followed" : "the lines keep their levels"));
    const auto rows = Rows(std::string(c.name) + ".csv");
    if (c.shutdown) {
      ASSERT_EQ(rows.size(), 18u + 2) << c.name << ": one byte, then the shut-down writes";
      EXPECT_EQ(rows[18].address, 0x378u);
      EXPECT_EQ(rows[18].value, 0x00u);
      EXPECT_EQ(rows[19].address, 0x37Au);
      EXPECT_EQ(rows[19].value, 0x00u);
    } else {
      ASSERT_EQ(rows.size(), 18u) << c.name << ": one byte, nothing after it";
    }
  }
}

TEST_F(SendCommandTest, PortChoiceFallsBackOnlyUnderAuto) {
  if (!testing::kPpdevHere) GTEST_SKIP() << "ppdev is Linux's";
  ppdev.openResult = -ENOENT;
  const SendRun automatic = Send({"--reset"});
  EXPECT_EQ(automatic.status, 0);
  EXPECT_NE(automatic.err.find("port writes go to the simulated port"), std::string::npos);
  EXPECT_NE(automatic.out.find("(simulated)"), std::string::npos);

  const SendRun named = Send({"--reset"}, "ppdev:/dev/parport3");
  EXPECT_EQ(named.status, 1);
  EXPECT_NE(named.err.find("/dev/parport3"), std::string::npos) << named.err;
  EXPECT_EQ(named.out, "");

  EXPECT_EQ(Send({"--port", "sim", "--reset"}, "ppdev").status, 0) << "--port wins";
}

}  // namespace
}  // namespace quorvane::cli
