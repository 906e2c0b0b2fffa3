#include "platform/ports/ReopenablePort.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "FakePortSystems.h"
#include "platform/Clock.h"
#include "platform/ports/SimPort.h"
#include "platform/traces/TracingPort.h"

namespace quorvane::platform {
namespace {

using Calls = std::vector<std::string>;

class ReopenablePortTest : public ::testing::Test, protected testing::FakePortSystems {};

TEST_F(ReopenablePortTest, EveryOpenedPortHasTheNameThatOpensItAgain) {
  struct Case {
    std::string portText;
    std::string name;
  };
  const Case cases[] = {
    {"sim", "sim"},
#if defined(__linux__)
    {"auto", "ppdev:/dev/parport0"},
    {"ppdev", "ppdev:/dev/parport0"},
    {"ppdev:/dev/parport3", "ppdev:/dev/parport3"},
#endif
    {"io", "io:0x378"},
    {"io:378", "io:0x378"},
    {"io:888", "io:0x888"},
    {"io:0xe800", "io:0xE800"},
    {"ftdi", "ftdi:0403:6001"},
    {"ftdi:403:6014:2", "ftdi:0403:6014:2"},
    {"ftdi@9600", "ftdi:0403:6001@9600"},
    {"gpio:gpiochip0:17,27,22,23,24", "gpio:gpiochip0:17,27,22,23,24"},
  };
  ftdi.plugged = {{{0x0403, 0x6001}, 1}, {{0x0403, 0x6014}, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portText);
    OpenedPort opened = OpenPort(c.portText, Systems());
    ASSERT_NE(opened.port, nullptr) << opened.error;
    EXPECT_EQ(opened.name, c.name);
    // The name opens the same port, once the first has let it go (a port
    // claimed for one program alone has no room for a second claim).
    opened.port.reset();
    EXPECT_EQ(OpenPort(opened.name, Systems()).name, c.name);
  }
  // Only an FT232H plugged in: the default choice names the one it found.
  ftdi.plugged = {{{0x0403, 0x6014}, 1}};
  EXPECT_EQ(OpenPort("ftdi", Systems()).name, "ftdi:0403:6014");
  // auto without a parallel port falls back to the simulated one.
  ppdev.openResult = -ENOENT;
  EXPECT_EQ(OpenPort("auto", Systems()).name, "sim");
}

#if defined(__linux__)
TEST_F(ReopenablePortTest, AFailedParallelPortIsReleasedAndClaimedAgain) {
  ppdev.failingWrite = 2;
  ReopenablePort port(OpenPort("ppdev", Systems()), Systems());
  // A trace over it fails with it, and works again with it.
  VirtualClock clock;
  class Count final : public TraceSink {
   public:
    void Record(std::uint64_t, std::uint64_t, std::uint16_t, std::uint8_t value) override {
      values.push_back(value);
    }
    bool Failed() const override { return false; }
    const std::string& Failure() const override { return none_; }
    std::vector<int> values;

   private:
    std::string none_;
  } sink;
  TracingPort traced(port, clock, sink);
  ppdev.calls.clear();
  traced.Out32(kDataRegister, 1);
  traced.Out32(kDataRegister, 2);
  traced.Out32(kDataRegister, 3);
  EXPECT_TRUE(traced.Failed());
  EXPECT_EQ(traced.Failure().reason, "ppdev: Input/output error");
  EXPECT_EQ(ppdev.calls, (Calls{"ioctl 7 PPWDATA 0x01", "ioctl 7 PPWDATA 0x02"}));

  // The device is gone for a while: the port stays failed and writes nothing.
  ppdev.calls.clear();
  ppdev.openResult = -ENOENT;
  EXPECT_EQ(port.Reopen(), "no parallel port at /dev/parport0");
  EXPECT_TRUE(traced.Failed());
  traced.Out32(kDataRegister, 4);
  traced.Flush();
  EXPECT_EQ(ppdev.calls, (Calls{"ioctl 7 PPRELEASE", "close 7", "open /dev/parport0"}));

  // Back again: claimed anew, and the writes go out and are traced.
  ppdev.calls.clear();
  ppdev.openResult = testing::FakePpdevSystem::kFd;
  EXPECT_EQ(port.Reopen(), "");
  EXPECT_FALSE(traced.Failed());
  traced.Out32(kDataRegister, 5);
  EXPECT_EQ(ppdev.calls, (Calls{"open /dev/parport0", "ioctl 7 PPEXCL", "ioctl 7 PPCLAIM",
                                "ioctl 7 PPDATADIR 0", "ioctl 7 PPWDATA 0x05"}));
  EXPECT_EQ(sink.values, (std::vector<int>{1, 5}));
  EXPECT_EQ(port.Name(), "ppdev:/dev/parport0");
}
#endif

TEST_F(ReopenablePortTest, AnUnpluggedAdapterIsOpenedAgainWhenItIsBack) {
  ftdi.failingWrite = 1;
  ReopenablePort port(OpenPort("ftdi", Systems()), Systems());
  ftdi.calls.clear();
  port.Out32(kDataRegister, 0x10);
  port.Out32(kDataRegister, 0x11);
  port.Flush();
  ASSERT_TRUE(port.Failed());
  EXPECT_EQ(port.Failure().reason, "the adapter was unplugged");
  EXPECT_EQ(port.Failure().unsentWrites, 2u);
  port.Out32(kDataRegister, 0x12);
  port.Flush();
  EXPECT_EQ(ftdi.calls, (Calls{"write 2"}));

  ftdi.calls.clear();
  EXPECT_EQ(port.Reopen(), "");
  EXPECT_FALSE(port.Failed());
  port.Out32(kDataRegister, 0x13);
  port.Flush();
  EXPECT_EQ(ftdi.calls, (Calls{"close", "free", "open 0403:6001 0", "bitmode 0xFF 0x01",
                               "baudrate 62500", "write 1"}));
  EXPECT_EQ(ftdi.writes.back(), std::vector<std::uint8_t>{0x13});
  EXPECT_EQ(ftdi.made, 2);
}

TEST_F(ReopenablePortTest, TheSimulatedPortFailsOnlyWhenATestAsksAndReopensClean) {
  OpenedPort opened = OpenPort("sim", Systems());
  opened.sim->FailAtWrite(2, "the test pulled the plug");
  ReopenablePort port(std::move(opened), Systems());
  for (int n = 0; n < 3; ++n) port.Out32(kDataRegister, 1);
  EXPECT_EQ(port.Failure().reason, "the test pulled the plug");
  EXPECT_EQ(port.Reopen(), "");
  port.Out32(kDataRegister, 1);
  EXPECT_FALSE(port.Failed());
}

}  // namespace
}  // namespace quorvane::platform
