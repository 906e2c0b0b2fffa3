#include "platform/traces/CsvTraceWriter.h"
#include "platform/traces/TraceSink.h"
#include "platform/traces/TracingPort.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/Clock.h"
#include "platform/VirtualSleeper.h"
#include "platform/ports/SimPort.h"
#include "platform/traces/TraceFactory.h"

namespace quorvane::platform {
namespace {

TEST(CsvTrace, RecordsEveryWriteAsTheProgramWroteIt) {
  testing::TempFolder folder;
  const std::string path = folder.File("t.csv");
  SimPort sim;
  VirtualClock clock;
  VirtualSleeper sleeper(clock);
  {
    CsvTraceWriter writer(path);
    ASSERT_TRUE(writer.Ok());
    TracingPort port(sim, clock, writer);
    port.Out32(kDataRegister, 0x10);
    sleeper.Sleep(500);
    port.Out32(kControlRegister, 0xFF);
    port.Out32(kDataRegister, 0x05);
    // Every line is on disk at once, before the writer is closed.
    EXPECT_EQ(folder.Read("t.csv"),
              "index,time_us,address,value\n"
              "0,0,0x378,0x10\n"
              "1,500000,0x37A,0xFF\n"
              "2,500000,0x378,0x05\n");
  }
  EXPECT_EQ(sim.Writes(), (std::vector<PortWrite>{{0x378, 0x10}, {0x37A, 0xFF}, {0x378, 0x05}}));
}

TEST(CsvTrace, AnUnwritablePathIsReported) {
  testing::TempFolder folder;
  const std::string path = folder.File("missing/t.csv");
  CsvTraceWriter writer(path);
  EXPECT_FALSE(writer.Ok());
  EXPECT_NE(writer.Error().find(path), std::string::npos) << writer.Error();
  writer.Record(0, 0, kDataRegister, 1);  // harmless
}

TEST(TracingPort, AWriteThePortRefusedAndWhatFollowsAreNotTraced) {
  testing::TempFolder folder;
  SimPort sim;
  sim.FailAtWrite(3, "the test pulled the plug");
  VirtualClock clock;
  CsvTraceWriter writer(folder.File("t.csv"));
  TracingPort port(sim, clock, writer);
  for (std::uint8_t value = 1; value <= 5; ++value) port.Out32(kDataRegister, value);
  // The tracing port fails with the port behind it.
  EXPECT_TRUE(port.Failed());
  EXPECT_EQ(port.Failure().reason, "the test pulled the plug");
  EXPECT_EQ(folder.Read("t.csv"),
            "index,time_us,address,value\n"
            "0,0,0x378,0x01\n"
            "1,0,0x378,0x02\n");
  EXPECT_FALSE(port.Stopped()) << "the file itself is fine";
}

// /dev/full takes no byte: every write to it fails with ENOSPC, as on a full
// disk. The trace says so with the write it stopped at; the port writes go on.
TEST(TracingPort, ATraceFileThatCannotBeWrittenStopsTheTraceNotTheWrites) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const char* name : {"full.csv", "full.vcd"}) {
    SCOPED_TRACE(name);
    testing::TempFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.Path() / name);
    OpenedTrace trace = OpenTraceWriter(folder.File(name));
    ASSERT_NE(trace.sink, nullptr) << trace.error;
    SimPort sim;
    VirtualClock clock;
    TracingPort port(sim, clock, *trace.sink);
    const std::string reason =
        "the trace file '" + folder.File(name) + "' could not be written (No space left on device)";
    ASSERT_TRUE(port.Stopped()) << "its header could not be written";
    EXPECT_EQ(port.Stopped()->write, 1u);
    port.Out32(kDataRegister, 0x10);
    port.Out32(kControlRegister, 0xFF);
    port.Out32(kDataRegister, 0x11);
    EXPECT_EQ(sim.Writes().size(), 3u);
    EXPECT_FALSE(port.Failed());
    ASSERT_TRUE(port.Stopped());
    EXPECT_EQ(port.Stopped()->write, 1u);
    EXPECT_EQ(port.Stopped()->reason, reason);
  }
}

#if defined(__linux__)
// A file size limit makes the write that crosses it take only part of its line,
// as a disk that fills up does: the file is cut back to its last whole line.
TEST(TracingPort, ALineCutShortByAFullFileIsTakenOffAgain) {
  testing::TempFolder folder;
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  SimPort sim;
  VirtualClock clock;
  std::optional<TraceStop> stop;
  {
    CsvTraceWriter writer(folder.File("t.csv"));
    TracingPort port(sim, clock, writer);
    rlimit limited = saved;
    limited.rlim_cur = 70;  // the header (28 bytes), two lines (15 each) and part of a third
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    for (std::uint8_t value = 1; value <= 5; ++value) port.Out32(kDataRegister, value);
    setrlimit(RLIMIT_FSIZE, &saved);
    stop = port.Stopped();
  }
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(folder.Read("t.csv"),
            "index,time_us,address,value\n"
            "0,0,0x378,0x01\n"
            "1,0,0x378,0x02\n");
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->write, 3u);
  EXPECT_EQ(stop->reason,
            "the trace file '" + folder.File("t.csv") + "' could not be written (File too large)");
  EXPECT_EQ(sim.Writes().size(), 5u);
}
#endif

// A file that fills up later keeps the writes before the one it stopped at.
class FillingSink final : public TraceSink {
 public:
  void Record(std::uint64_t index, std::uint64_t, std::uint16_t, std::uint8_t) override {
    if (index == 2)
      failure_ = "the trace file 'x.csv' could not be written (No space left on device)";
    if (failure_.empty()) indexes.push_back(index);
  }
  bool Failed() const override { return !failure_.empty(); }
  const std::string& Failure() const override { return failure_; }
  std::vector<std::uint64_t> indexes;

 private:
  std::string failure_;
};

TEST(TracingPort, TheStopNamesTheFirstWriteTheTraceDoesNotHold) {
  SimPort sim;
  VirtualClock clock;
  FillingSink sink;
  TracingPort port(sim, clock, sink);
  for (std::uint8_t value = 0; value < 6; ++value) port.Out32(kDataRegister, value);
  EXPECT_EQ(sink.indexes, (std::vector<std::uint64_t>{0, 1}));
  ASSERT_TRUE(port.Stopped());
  EXPECT_EQ(port.Stopped()->write, 3u);
  EXPECT_EQ(sim.Writes().size(), 6u);
}

}  // namespace
}  // namespace quorvane::platform
