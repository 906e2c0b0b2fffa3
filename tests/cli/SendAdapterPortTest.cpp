#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SendRun.h"

namespace quorvane::cli {
namespace {

using Calls = std::vector<std::string>;

using testing::SendRun;

class SendAdapterPort : public ::testing::Test, protected testing::SendRig {};

TEST_F(SendAdapterPort, TheAdapterGetsTheBytesBeforeEachWaitAndAtTheEndOfEachAction) {
  sleeper.onSleep = [this](std::uint32_t ms) {
    ftdi.calls.push_back("sleep " + std::to_string(ms));
  };
  const SendRun run =
      Send({"--port", "ftdi", "--startup", "--reset", "--command", "1, #5, 2", "--shutdown"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.err,
      "quorvane-send: Writing to the FTDI adapter 0403:6001 in bit-bang mode at the rate 62500 "
      "(1000000 writes a second on an FT232R); it has no pins for the control register, so "
      "control-register writes are ignored.\n");
  EXPECT_EQ(ftdi.calls, (Calls{"open 0403:6001 0", "bitmode 0xFF 0x01", "baudrate 62500",
                               // start-up: 500 ms with nothing held, then RESET raised
                               "sleep 500", "write 1",
                               // the reset event: the pulse, 10 ms, its end
                               "write 1", "sleep 10", "write 2",
                               // two command bytes of 18 writes with the delay item between
                               "write 18", "sleep 5", "write 18",
                               // shut-down: the data register only
                               "write 1", "close", "free"}));
  EXPECT_EQ(ftdi.writes.front(), std::vector<std::uint8_t>{0x10});
  EXPECT_EQ(ftdi.writes.back(), std::vector<std::uint8_t>{0x00});
}

TEST_F(SendAdapterPort, FiveGpioLinesFollowTheResetEvent) {
  const SendRun run = Send({"--port", "gpio:gpiochip0:17,27,22,23,24", "--reset"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "quorvane-send: Only D0 to D4 reach the GPIO lines: bits 5 to 7 and control-register "
            "writes are ignored.\n");
  // 0x09, 0x09 again after the wait (unchanged: no set), then 0x19.
  EXPECT_EQ(gpio.calls, (Calls{"open gpiochip0", "get 17,27,22,23,24", "request quorvane 0,0,0,1,1",
                               "set 1,0,0,1,0", "set 1,0,0,1,1", "release", "close", "free"}));
}

}  // namespace
}  // namespace quorvane::cli
