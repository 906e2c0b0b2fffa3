#include "platform/traces/VcdTrace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "VcdHeader.h"
#include "platform/Clock.h"
#include "platform/VirtualSleeper.h"
#include "platform/ports/SimPort.h"
#include "platform/traces/TraceFactory.h"
#include "platform/traces/TracingPort.h"

namespace quorvane::platform {
namespace {

using testing::kVcdHeader;

TEST(VcdTrace, DumpsTheFiveLinesWithEveryEdgeInOrder) {
  testing::TempFolder folder;
  VirtualClock clock;
  VirtualSleeper sleeper(clock);
  SimPort sim;
  VcdTraceWriter writer(folder.File("t.vcd"));
  ASSERT_TRUE(writer.Ok());
  TracingPort port(sim, clock, writer);
  EXPECT_EQ(folder.Read("t.vcd"), kVcdHeader);

  port.Out32(kDataRegister, 0x19);  // SCLK, CS and RESET high: the values at time 0
  const std::string start = std::string(kVcdHeader) +
                            "#0\n$dumpvars\n1a\n0b\n0c\n1d\n1e\n$end\n"
                            "#1\n";
  EXPECT_EQ(folder.Read("t.vcd"), start) << "on disk at once, with its closing timestamp";

  port.Out32(kControlRegister, 0xFF);  // no wire
  port.Out32(kDataRegister, 0x12);     // same microsecond: moved on by one
  port.Out32(kDataRegister, 0x13);
  port.Out32(kDataRegister, 0xF3);  // D5 to D7 only: no edge
  port.Out32(kDataRegister, 0x13);
  sleeper.Sleep(500);
  port.Out32(kDataRegister, 0x19);
  port.Out32(kDataRegister, 0x1D);
  EXPECT_EQ(folder.Read("t.vcd"), std::string(kVcdHeader) +
                                      "#0\n$dumpvars\n1a\n0b\n0c\n1d\n1e\n$end\n"
                                      "#1\n0a\n1b\n0d\n"
                                      "#2\n1a\n"
                                      "#500002\n0b\n1d\n"  // the wait keeps its 500 ms
                                      "#500003\n1c\n"
                                      "#500004\n");
  EXPECT_EQ(sim.Writes().size(), 8u) << "the port still gets every write";
}

// The timestamps of a dump's changes after $dumpvars, the closing one left out.
std::vector<std::uint64_t> ChangeTimes(const std::string& dump) {
  std::vector<std::uint64_t> times;
  std::istringstream lines(dump.substr(dump.find("$end\n#")));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("#")) times.push_back(std::stoull(line.substr(1)));
  }
  if (!times.empty()) times.pop_back();
  return times;
}

// Under virtual time a burst of writes takes no time: the dump spreads its
// edges a microsecond apart, and what follows moves with them, so the wait
// after the burst is as long in the dump as in the write times.
TEST(VcdTrace, AWaitAfterABurstKeepsItsFullLength) {
  struct Case {
    int burst;  // edges written at one instant
    std::uint32_t waitMs;
  };
  for (const Case& c : {Case{1, 5}, Case{2, 1}, Case{100, 5}, Case{9072, 5}, Case{9072, 0}}) {
    SCOPED_TRACE(::testing::Message() << c.burst << " edges, " << c.waitMs << " ms");
    testing::TempFolder folder;
    VirtualClock clock;
    VirtualSleeper sleeper(clock);
    SimPort sim;
    std::uint64_t csvGapMicros = 0;
    {
      VcdTraceWriter writer(folder.File("t.vcd"));
      TracingPort port(sim, clock, writer);
      for (int n = 0; n < c.burst; ++n) port.Out32(kDataRegister, n % 2 == 0 ? 0x18 : 0x19);
      const std::uint64_t before = clock.NowMicros();
      sleeper.Sleep(c.waitMs);
      csvGapMicros = clock.NowMicros() - before;
      port.Out32(kDataRegister, 0x1E);
      port.Out32(kDataRegister, 0x1F);  // and the writes after the wait stay apart
    }
    const std::vector<std::uint64_t> times = ChangeTimes(folder.Read("t.vcd"));
    ASSERT_EQ(times.size(), static_cast<std::size_t>(c.burst) + 2);
    for (std::size_t n = 1; n < times.size(); ++n) EXPECT_GT(times[n], times[n - 1]);
    EXPECT_GE(times[times.size() - 2] - times[times.size() - 3], csvGapMicros);
  }
}

TEST(VcdTrace, LinesStandUnknownUntilTheFirstWrite) {
  testing::TempFolder folder;
  {
    VcdTraceWriter writer(folder.File("t.vcd"));
    writer.Record(0, 250, kControlRegister, 0xFF);
    EXPECT_EQ(folder.Read("t.vcd"), kVcdHeader);
    writer.Record(1, 1234, kDataRegister, 0x10);
    writer.Record(2, 1000, kDataRegister, 0x11);  // a clock running behind never goes back
  }
  EXPECT_EQ(folder.Read("t.vcd"), std::string(kVcdHeader) +
                                      "#0\n$dumpvars\nxa\nxb\nxc\nxd\nxe\n$end\n"
                                      "#1234\n0a\n0b\n0c\n0d\n1e\n"
                                      "#1235\n1a\n"
                                      "#1236\n");
}

TEST(VcdTrace, AnUnwritablePathIsReported) {
  testing::TempFolder folder;
  const std::string path = folder.File("missing/t.vcd");
  VcdTraceWriter writer(path);
  EXPECT_FALSE(writer.Ok());
  EXPECT_NE(writer.Error().find(path), std::string::npos) << writer.Error();
  writer.Record(0, 0, kDataRegister, 1);  // harmless
}

TEST(TraceFactory, TheExtensionChoosesTheFormat) {
  const struct {
    const char* name;
    std::optional<TraceFormat> format;
  } cases[] = {
      {"t.csv", TraceFormat::Csv},   {"T.CSV", TraceFormat::Csv}, {"t.vcd", TraceFormat::Vcd},
      {"a/b.Vcd", TraceFormat::Vcd}, {"t.txt", std::nullopt},     {"t.vcd.bak", std::nullopt},
      {"vcd", std::nullopt},         {"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TraceFormatOf(c.name), c.format) << c.name;
    EXPECT_EQ(TraceNameError(c.name).empty(), c.format.has_value()) << c.name;
  }
  EXPECT_EQ(TraceNameError("t.txt"), "the trace file must end in .csv or .vcd: 't.txt'");
}

TEST(TraceFactory, OpensTheWriterOfTheFormat) {
  testing::TempFolder folder;
  for (const auto& [name, firstLine] :
       {std::pair{"t.csv", "index,time_us,address,value\n"},
        std::pair{"t.vcd", "$version Quorvane port trace $end\n"}}) {
    const OpenedTrace opened = OpenTraceWriter(folder.File(name));
    ASSERT_NE(opened.sink, nullptr) << opened.error;
    EXPECT_TRUE(folder.Read(name).starts_with(firstLine)) << name;
  }

  const OpenedTrace refused = OpenTraceWriter(folder.File("t.txt"));
  EXPECT_EQ(refused.sink, nullptr);
  EXPECT_TRUE(refused.usageError);
  EXPECT_FALSE(std::filesystem::exists(folder.File("t.txt"))) << "nothing is created";

  const OpenedTrace unwritable = OpenTraceWriter(folder.File("missing/t.vcd"));
  EXPECT_EQ(unwritable.sink, nullptr);
  EXPECT_FALSE(unwritable.usageError);
  EXPECT_NE(unwritable.error.find("cannot write the trace file"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::platform
