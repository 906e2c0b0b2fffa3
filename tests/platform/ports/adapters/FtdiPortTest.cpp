#include "platform/ports/adapters/FtdiPort.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeFtdiSystem.h"
#include "RecordingSleeper.h"
#include "StripedPicture.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "global/Diagnostics.h"
#include "image/PictureScan.h"
#include "platform/ports/FlushingSleeper.h"
#include "platform/ports/SimPort.h"

namespace quorvane::platform {
namespace {

using testing::FtdiScript;
using Bytes = std::vector<std::uint8_t>;
using Calls = std::vector<std::string>;

const FtdiAddress kDefaultIds = {{FtdiPort::kFt232r, FtdiPort::kFt232h}, 0};
const Calls kOpened = {"open 0403:6001 0", "bitmode 0xFF 0x01", "baudrate 62500"};

FtdiPort::Opening Open(FtdiScript& script, const FtdiAddress& address = kDefaultIds) {
  return FtdiPort::Open(script.Factory()(), address);
}

TEST(FtdiPortOpen, MakesAllEightPinsOutputsInAsyncBitBangModeThenSetsTheRate) {
  FtdiScript script;
  FtdiPort::Opening opening = Open(script);
  ASSERT_NE(opening.port, nullptr);
  EXPECT_EQ(opening.device, "FTDI adapter 0403:6001");
  EXPECT_EQ(opening.error, "");
  EXPECT_EQ(script.calls, kOpened);
}

TEST(FtdiPortOpen, TakesTheIndexthAdapterOfTheFirstIdThatHasOne) {
  const FtdiAddress kThirdFt232h = {{FtdiPort::kFt232h}, 2};
  const FtdiAddress kOtherId = {{UsbId{0x1234, 0xABCD}}, 0};
  struct Case {
    std::map<std::pair<std::uint16_t, std::uint16_t>, unsigned> plugged;
    FtdiAddress address;
    std::string device;
    Calls opens;
  };
  const Case cases[] = {
      {{{{0x0403, 0x6001}, 1}, {{0x0403, 0x6014}, 1}},
       kDefaultIds,
       "FTDI adapter 0403:6001",
       {"open 0403:6001 0"}},
      {{{{0x0403, 0x6014}, 1}},
       kDefaultIds,
       "FTDI adapter 0403:6014",
       {"open 0403:6001 0", "open 0403:6014 0"}},
      {{{{0x0403, 0x6014}, 3}}, kThirdFt232h, "FTDI adapter 0403:6014:2", {"open 0403:6014 2"}},
      {{{{0x1234, 0xABCD}, 1}}, kOtherId, "FTDI adapter 1234:abcd", {"open 1234:abcd 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device);
    FtdiScript script;
    script.plugged = c.plugged;
    FtdiPort::Opening opening = Open(script, c.address);
    ASSERT_NE(opening.port, nullptr);
    EXPECT_EQ(opening.device, c.device);
    Calls expected = c.opens;
    expected.insert(expected.end(), {"bitmode 0xFF 0x01", "baudrate 62500"});
    EXPECT_EQ(script.calls, expected);
  }
}

TEST(FtdiPortOpen, EachFailureNamesTheAdapterAndTheReasonAndClosesWhatWasOpened) {
  const std::string permission =
      "no permission to use the FTDI adapter 0403:6001; add a udev rule for it (see the README) "
      "and plug it in again, or run with the right permissions";
  const std::string busy =
      "the FTDI adapter 0403:6001 is busy: another program or driver holds it (usb error)";
  const FtdiAddress ft232h = {{FtdiPort::kFt232h}, 0};
  const FtdiAddress second = {{FtdiPort::kFt232r}, 1};
  enum class Fails { kNothing, kOpen, kBitmode, kBaudrate };
  struct Case {
    FtdiAddress address;
    Fails step;
    int code;
    std::string error;
    Calls calls;
  };
  const Case cases[] = {
      {kDefaultIds,
       Fails::kNothing,
       0,
       "no FTDI adapter is plugged in (looked for the USB IDs 0403:6001 and 0403:6014; name "
       "another as ftdi:VID:PID)",
       {"open 0403:6001 0", "open 0403:6014 0", "free"}},
      {ft232h,
       Fails::kNothing,
       0,
       "no FTDI adapter 0403:6014 is plugged in",
       {"open 0403:6014 0", "free"}},
      {second,
       Fails::kNothing,
       0,
       "no FTDI adapter 0403:6001:1 is plugged in (the index counts the adapters with that USB ID "
       "from 0)",
       {"open 0403:6001 1", "free"}},
      // A failure on the first ID stops the search: that adapter is the one meant.
      {kDefaultIds,
       Fails::kOpen,
       FtdiSystem::kNoPermission,
       permission,
       {"open 0403:6001 0", "free"}},
      {kDefaultIds, Fails::kOpen, FtdiSystem::kClaimRefused, busy, {"open 0403:6001 0", "free"}},
      {kDefaultIds,
       Fails::kOpen,
       FtdiSystem::kConfigurationRefused,
       busy,
       {"open 0403:6001 0", "free"}},
      {kDefaultIds,
       Fails::kOpen,
       FtdiSystem::kSearchFailed,
       "cannot look for the FTDI adapter 0403:6001: usb error",
       {"open 0403:6001 0", "free"}},
      {kDefaultIds,
       Fails::kOpen,
       -4,
       "cannot open the FTDI adapter 0403:6001: usb error",
       {"open 0403:6001 0", "free"}},
      {kDefaultIds,
       Fails::kBitmode,
       -1,
       "cannot switch the FTDI adapter 0403:6001 to bit-bang mode: usb error",
       {"open 0403:6001 0", "bitmode 0xFF 0x01", "close", "free"}},
      {kDefaultIds,
       Fails::kBaudrate,
       -1,
       "cannot set the bit-bang rate of the FTDI adapter 0403:6001: usb error",
       {"open 0403:6001 0", "bitmode 0xFF 0x01", "baudrate 62500", "close", "free"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    FtdiScript script;
    if (c.step == Fails::kNothing) script.plugged.clear();
    if (c.step == Fails::kNothing && c.address.index > 0) script.plugged = {{{0x0403, 0x6001}, 1}};
    if (c.step == Fails::kOpen) script.openResult = c.code;
    if (c.step == Fails::kBitmode) script.bitmodeResult = c.code;
    if (c.step == Fails::kBaudrate) script.baudrateResult = c.code;
    FtdiPort::Opening opening = Open(script, c.address);
    EXPECT_EQ(opening.port, nullptr);
    EXPECT_EQ(opening.error, c.error);
    EXPECT_EQ(script.calls, c.calls);
  }
}

class FtdiPortWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(port, nullptr);
    script.calls.clear();
  }
  FtdiScript script;
  std::unique_ptr<FtdiPort> port = Open(script).port;
};

TEST_F(FtdiPortWrite, DataBytesAreHeldUntilAFlushAndGoOutInOrderOtherRegistersHaveNoPins) {
  port->Out32(kDataRegister, 0x10);
  port->Out32(kDataRegister, 0x11);
  port->Out32(kControlRegister, 0xFF);
  port->Out32(0x379, 0x12);
  port->Out32(kDataRegister, 0x00);
  port->Out32(kDataRegister, 0xE5);
  EXPECT_EQ(script.calls, Calls{});
  port->Flush();
  port->Flush();  // nothing held: no write
  EXPECT_EQ(script.calls, Calls{"write 4"});
  EXPECT_EQ(script.Bytes(), (Bytes{0x10, 0x11, 0x00, 0xE5}));
}

TEST_F(FtdiPortWrite, AFullBatchGoesOutWithoutWaitingForAFlush) {
  Bytes sent;
  for (std::size_t n = 0; n < FtdiPort::kBatchLimit + 5; ++n) {
    sent.push_back(static_cast<std::uint8_t>(n * 7));
    port->Out32(kDataRegister, sent.back());
  }
  EXPECT_EQ(script.calls, Calls{"write 4096"});
  port->Flush();
  EXPECT_EQ(script.calls, (Calls{"write 4096", "write 5"}));
  EXPECT_EQ(script.Bytes(), sent);
}

TEST_F(FtdiPortWrite, DestructionSendsWhatIsHeldThenClosesTheAdapter) {
  port->Out32(kDataRegister, 0x00);
  port->Out32(kDataRegister, 0x10);
  port.reset();
  EXPECT_EQ(script.calls, (Calls{"write 2", "close", "free"}));
  EXPECT_EQ(script.Bytes(), (Bytes{0x00, 0x10}));
}

// ftdi_write_data (libftdi 1.5, ftdi.c) answers with the whole size or a
// negative code: -666 before any device is open ("USB device unavailable"),
// -1 when libusb refused a bulk transfer ("usb bulk write failed"), which the
// library layer turns into kUnplugged when the adapter has left the bus. A
// failed write sends none of the batch as far as the port can tell.
TEST(FtdiPortFlush, AFailedWriteIsLatchedWithTheWholeBatchItHeld) {
  struct Case {
    int code;
    std::string reason;
  };
  const Case cases[] = {
      {FtdiSystem::kUnplugged, "the adapter was unplugged"},
      {FtdiSystem::kDeviceUnavailable, "the adapter is not open (USB device unavailable)"},
      {FtdiSystem::kBulkWriteFailed, "libftdi: usb bulk write failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    FtdiScript script;
    script.errorString = "usb bulk write failed";
    script.failingWrite = 2;
    script.failCode = c.code;
    std::unique_ptr<FtdiPort> port = Open(script).port;
    ASSERT_NE(port, nullptr);
    port->Out32(kDataRegister, 1);
    port->Flush();
    EXPECT_FALSE(port->Failed());
    // A control-register write has no pins, but it is lost with the batch
    // it came with, as the bytes are.
    for (std::uint8_t byte = 2; byte <= 6; ++byte) port->Out32(kDataRegister, byte);
    port->Out32(kControlRegister, 0xFF);
    port->Flush();
    port->Out32(kDataRegister, 7);
    port->Flush();
    // Nothing is offered again: not the failed batch, not what follows it.
    EXPECT_EQ(script.writes, (std::vector<Bytes>{{1}, {2, 3, 4, 5, 6}}));
    EXPECT_TRUE(port->Failed());
    EXPECT_EQ(port->Failure().reason, c.reason);
    EXPECT_EQ(port->Failure().unsentWrites, 6u);
    port.reset();  // nothing held is sent any more; the adapter is closed
    EXPECT_EQ(script.writes.size(), 2u);
    EXPECT_EQ(script.calls.back(), "free");
  }
}

TEST(FtdiPortFlush, AFullBatchThatFailsStopsTheWritesThatFollowIt) {
  FtdiScript script;
  script.failingWrite = 2;
  std::unique_ptr<FtdiPort> port = Open(script).port;
  ASSERT_NE(port, nullptr);
  for (std::size_t n = 0; n < 3 * FtdiPort::kBatchLimit; ++n) port->Out32(kDataRegister, 1);
  port->Flush();
  EXPECT_EQ(script.writes.size(), 2u);
  EXPECT_EQ(port->Failure().reason, "the adapter was unplugged");
  EXPECT_EQ(port->Failure().unsentWrites, FtdiPort::kBatchLimit);
}

// The engine with the shipped events, writing to the adapter through a sleeper
// that flushes first, as both fronts wire it.
class FtdiPortWithTheEngine : public FtdiPortWrite {
 protected:
  void SetUp() override {
    FtdiPortWrite::SetUp();
    recording.onSleep = [this](std::uint32_t ms) {
      script.calls.push_back("sleep " + std::to_string(ms));
    };
    engine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
    events::InitEvents(engine.global);
  }
  testing::RecordingSleeper recording;
  FlushingSleeper sleeper{*port, recording};
  global::Diagnostics diagnostics;
  events::Engine engine{*port, sleeper, diagnostics};
};

TEST_F(FtdiPortWithTheEngine, EveryWaitStartsAfterTheBytesBeforeItAreSent) {
  // The reset event: SB 9, DL 10 (wait, then the byte again), SB 25.
  engine.interpreter.ExecuteEvent(engine.global.ResetEventSteps, 0, false);
  port->Flush();
  EXPECT_EQ(script.calls, (Calls{"write 1", "sleep 10", "write 2"}));
  EXPECT_EQ(script.writes, (std::vector<Bytes>{{0x09}, {0x09, 0x19}}));
  EXPECT_TRUE(diagnostics.Empty());
}

TEST_F(FtdiPortWithTheEngine, ADelayItemSplitsAValueListIntoTwoTransfers) {
  engine.writer.MultiDataWrite("1, #5, 2", true);
  port->Flush();
  // A command byte through the shipped event is 18 port writes.
  EXPECT_EQ(script.calls, (Calls{"write 18", "sleep 5", "write 18"}));
}

TEST_F(FtdiPortWithTheEngine, AFullPictureGoesOutInAFewTransfersWithEveryByteInOrder) {
  const testing::StripedPicture picture;
  image::SendPicture(picture, 8389000, engine.writer);
  port->Flush();

  SimPort sim;
  testing::RecordingSleeper simSleeper;
  global::Diagnostics simDiagnostics;
  events::Engine simEngine{sim, simSleeper, simDiagnostics};
  simEngine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
  events::InitEvents(simEngine.global);
  image::SendPicture(picture, 8389000, simEngine.writer);

  ASSERT_EQ(sim.Writes().size(), 504u * 18u);
  EXPECT_EQ(script.Bytes(), sim.ValuesAt(kDataRegister));
  EXPECT_LE(script.writes.size(), 10u);
  EXPECT_EQ(script.calls, (Calls{"write 4096", "write 4096", "write 880"}));
}

}  // namespace
}  // namespace quorvane::platform
