#include "platform/Trace.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/SimPort.h"

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
  CsvTraceWriter writer(folder.File("missing/t.csv"));
  EXPECT_FALSE(writer.Ok());
  EXPECT_NE(writer.Error().find("missing/t.csv"), std::string::npos);
  writer.Record(0, 0, kDataRegister, 1);  // harmless
}

}  // namespace
}  // namespace quorvane::platform
