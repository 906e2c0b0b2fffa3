#include "port/FailureReport.h"

#include <gtest/gtest.h>

#include "platform/ports/SimPort.h"
#include "platform/traces/TracingPort.h"
#include "port/OutputPort.h"

namespace quorvane::port {
namespace {

TEST(FailureReport, NumbersAreGroupedInThrees) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0"},
      {7, "7"},
      {999, "999"},
      {1000, "1,000"},
      {9072, "9,072"},
      {100000, "100,000"},
      {1234567, "1,234,567"},
      {18446744073709551615u, "18,446,744,073,709,551,615"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(GroupedNumber(number), text);
}

TEST(FailureReport, SentencesNameThePortTheReasonWhatAndHowFar) {
  EXPECT_EQ(
      PortFailedSentence("ftdi:0403:6001", "the picture", 2310, 9072, "the adapter was unplugged"),
      "The port ftdi:0403:6001 failed after 2,310 of 9,072 writes of the picture: the "
      "adapter was unplugged.");
  EXPECT_EQ(PortFailedSentence("ppdev:/dev/parport0", "Do 0", 0, 1, "ppdev: Input/output error"),
            "The port ppdev:/dev/parport0 failed after 0 of 1 write of Do 0: ppdev: Input/output "
            "error.");
  EXPECT_EQ(PortFailedSentence("gpio:gpiochip0:17,27,22,23,24", "the picture series", 12345,
                               std::nullopt, "the GPIO chip went away"),
            "The port gpio:gpiochip0:17,27,22,23,24 failed after 12,345 writes of the picture "
            "series: the GPIO chip went away.");
  EXPECT_EQ(ReopenFailedSentence("ppdev:/dev/parport0", "no parallel port at /dev/parport0"),
            "The port ppdev:/dev/parport0 cannot be opened again: no parallel port at "
            "/dev/parport0. Nothing was sent.");
  EXPECT_EQ(TraceStoppedSentence(
                {1235, "the trace file 'x.csv' could not be written (No space left on device)"}),
            "The trace stopped at write 1,235: the trace file 'x.csv' could not be written (No "
            "space left on device). The port writes go on without it.");
}

TEST(FailureReport, WritesThatWentOutLeaveOutTheUnsentOnes) {
  platform::SimPort sim;
  OutputPort output(sim);
  output.UpdateOutput(1, true);
  const std::uint64_t start = output.Writes();
  output.UpdateOutput(2, true);
  output.WriteControl(0xFF);
  EXPECT_EQ(WritesThatWentOut(output, start), 2u);
  sim.FailAtWrite(2, "gone");
  output.UpdateOutput(3, true);
  output.UpdateOutput(4, true);  // fails
  output.UpdateOutput(5, true);  // not handed over
  EXPECT_EQ(output.Writes(), 5u);
  EXPECT_EQ(WritesThatWentOut(output, start), 3u);
}

}  // namespace
}  // namespace quorvane::port
