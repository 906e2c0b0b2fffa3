#include "platform/traces/VcdTrace.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "VcdHeader.h"
#include "platform/ports/SimPort.h"
#include "platform/traces/TraceFactory.h"

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
                                      "#500000\n0b\n1d\n"
                                      "#500001\n1c\n"
                                      "#500002\n");
  EXPECT_EQ(sim.Writes().size(), 8u) << "the port still gets every write";
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
  VcdTraceWriter writer(folder.File("missing/t.vcd"));
  EXPECT_FALSE(writer.Ok());
  EXPECT_NE(writer.Error().find("missing/t.vcd"), std::string::npos);
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
