#include "cli/SendCommand.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "FakePpdevSystem.h"
#include "RecordingSleeper.h"
#include "SendRun.h"
#include "TempFolder.h"
#include "VcdHeader.h"
#include "platform/StopSignal.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::cli {
namespace {

using Lines = std::vector<std::string>;

using testing::SendRun;

class SendCommandTest : public ::testing::Test {
 protected:
  SendRun Send(const Lines& args, const char* portVariable = nullptr) {
    const platform::PortSystems systems{ppdev, nullptr};
    const SendEnvironment environment{QUORVANE_DATA_DIR, portVariable, &systems, &sleeper};
    return testing::RunSendCaptured(args, environment);
  }

  Lines TraceLines(const std::string& name) const {
    std::istringstream text(folder.Read(name));
    Lines lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  testing::TempFolder folder;
  testing::FakePpdevSystem ppdev;
  testing::RecordingSleeper sleeper;
};

struct TraceRow {
  std::uint64_t time;
  unsigned address;
  unsigned value;
};

std::vector<TraceRow> ParseTrace(const Lines& lines) {
  std::vector<TraceRow> rows;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    unsigned long long index = 0, time = 0;
    unsigned address = 0, value = 0;
    EXPECT_EQ(std::sscanf(lines[i].c_str(), "%llu,%llu,0x%X,0x%X", &index, &time, &address, &value),
              4);
    EXPECT_EQ(index, i - 1);
    rows.push_back({time, address, value});
  }
  return rows;
}

// Reads the data-register bytes the way the module does: with CS (D3) low, SDA
// (D1) is sampled on every rising SCLK (D0) edge, most significant bit first,
// and D/C (D2) is taken with the eighth bit.
struct WireByte {
  unsigned value;
  bool data;
};
std::vector<WireByte> DecodeWire(const std::vector<TraceRow>& rows) {
  std::vector<WireByte> bytes;
  unsigned previous = 0, shift = 0, count = 0;
  for (const TraceRow& row : rows) {
    if (row.address != 0x378) continue;
    const unsigned now = row.value;
    if (now & 8) {
      count = 0;  // CS high drops a partial byte
    } else if (!(previous & 1) && (now & 1)) {
      shift = (shift << 1 | (now >> 1 & 1)) & 0xFF;
      if (++count == 8) {
        bytes.push_back({shift, (now & 4) != 0});
        count = 0;
      }
    }
    previous = now;
  }
  return bytes;
}

TEST_F(SendCommandTest, TheShippedEventsDriveTheModuleWithTheDefaultLists) {
  const SendRun run = Send({"--port", "sim", "--trace", folder.File("t.csv"), "--virtual-time",
                            "--reset", "--command", "33, 200, 5, 21, 32, 9, #500, 8, #500, 13",
                            "--data", "33, 197, 6, 19, 32, 12"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(sleeper.requests.empty()) << "virtual time never sleeps";

  const Lines lines = TraceLines("t.csv");
  ASSERT_GE(lines.size(), 5u);
  // The reset event: RESET low with CS and SCLK high, 10 ms, RESET high again.
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
            (Lines{"index,time_us,address,value", "0,0,0x378,0x09", "1,10000,0x378,0x09",
                   "2,10000,0x378,0x19", "3,10000,0x378,0x19"}));

  const auto rows = ParseTrace(lines);
  EXPECT_EQ(rows.size(), 3u + 14u * 18u) << "18 writes per byte through the standard events";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].address, 0x378u);
    EXPECT_EQ((rows[i].value & 0x10) != 0, i >= 2) << "RESET low only for the reset pulse";
  }
  const auto bytes = DecodeWire(rows);
  const std::vector<unsigned> commands = {33, 200, 5, 21, 32, 9, 8, 13};
  const std::vector<unsigned> data = {33, 197, 6, 19, 32, 12};
  ASSERT_EQ(bytes.size(), commands.size() + data.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool isData = i >= commands.size();
    EXPECT_EQ(bytes[i].value, isData ? data[i - commands.size()] : commands[i]) << "byte " << i;
    EXPECT_EQ(bytes[i].data, isData) << "D/C of byte " << i;
  }
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
  for (const TraceRow& row : ParseTrace(TraceLines("s.csv"))) {
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
  const Lines cases[] = {
      {},
      {"--bogus"},
      {"--command"},
      {"--reset=1"},
      {"--port", "nonsense", "--reset"},
      {"--port", "sim", "--trace", folder.File("t.txt"), "--reset"},
      {"--port", "sim", "--trace", folder.File("t.vcd.txt"), "--reset"},
      {"--port", "sim", "--reset", "--data", "1, 256"},
  };
  for (const Lines& args : cases) {
    const SendRun run = Send(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "(nothing)" : args[0]);
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.out, "") << "nothing ran";
  }
  EXPECT_NE(
      Send({"--port", "sim", "--data", "1, 256"}).err.find("item 2, '256': not a byte (0 to 255)"),
      std::string::npos);
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
  const auto bytes = DecodeWire(ParseTrace(TraceLines("series.csv")));
  ASSERT_EQ(bytes.size(), 4u * 504);
  for (const WireByte& byte : bytes) EXPECT_TRUE(byte.data);
  // Each frame has a dark border: the first byte (bottom band, rightmost
  // column) is all dark, so all zeros at the start-up threshold.
  EXPECT_EQ(bytes[0].value, 0x00u);

  // One picture; --threshold 0 makes every pixel a 1, 16778 every pixel a 0.
  const std::string picture = std::string(QUORVANE_DATA_DIR) + "/images/lcd_1.bmp";
  for (const auto& [threshold, expected] : {std::pair{"0", 0xFFu}, std::pair{"16778", 0x00u}}) {
    const SendRun run = Send({"--port", "sim", "--trace", folder.File("p.csv"), "--threshold",
                              threshold, "--image", picture});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto sent = DecodeWire(ParseTrace(TraceLines("p.csv")));
    ASSERT_EQ(sent.size(), 504u);
    for (const WireByte& byte : sent) EXPECT_EQ(byte.value, expected);
  }

  EXPECT_EQ(Send({"--threshold", "40000", "--image", picture}).status, 2);
  EXPECT_EQ(Send({"--threshold", "x", "--image", picture}).status, 2);
  const SendRun missing = Send({"--port", "sim", "--image", folder.File("none.bmp")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.bmp cannot be loaded: the file does not exist"),
            std::string::npos)
      << missing.err;
  const SendRun noSeries = Send({"--port", "sim", "--folder", folder.Path().string(), "--series"});
  EXPECT_NE(noSeries.out.find("picture series: 0 pictures, 0 port writes"), std::string::npos);
}

TEST_F(SendCommandTest, CountsTakeTheSingularForOne) {
  std::filesystem::create_directory(folder.Path() / "images");
  std::filesystem::copy_file(std::string(QUORVANE_DATA_DIR) + "/images/lcd_0.bmp",
                             folder.Path() / "images" / "lcd_0.bmp");
  for (const char* name : {"1.evnt", "2.evnt"}) {
    std::filesystem::copy_file(std::string(QUORVANE_DATA_DIR) + "/" + name, folder.Path() / name);
  }
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
  const auto rows = ParseTrace(TraceLines("stop.csv"));
  ASSERT_EQ(rows.size(), 6u * 18) << "six whole bytes, nothing after them";
  EXPECT_EQ(rows.back().value, 0x19u) << "the sixth byte's last write: CS high";
}

// A real signal, in a child process (the stop request cannot be taken back
// within one process): each of the four stops the run between two bytes,
// the shut-down writes follow only when --shutdown is among the actions, and
// the status is 128 + the signal's number.
using SendStopDeathTest = SendCommandTest;

TEST_F(SendStopDeathTest, EverySignalThatEndsAProgramStopsItWithItsStatus) {
  const struct {
    int signal;
    const char* name;
    bool shutdown;
  } cases[] = {{SIGHUP, "SIGHUP", true},
               {SIGQUIT, "SIGQUIT", false},
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
    const auto rows = ParseTrace(TraceLines(std::string(c.name) + ".csv"));
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
