// The waits of the port stack hold at the pins of a buffering port: an FTDI
// adapter clocks out what it was handed at its own pace after the transfer,
// so a wait begins only once its pins are done, and under --virtual-time the
// catching up moves the virtual clock.

#include "session/PortStack.h"

#include <gtest/gtest.h>

#include <string>

#include "FakeFtdiSystem.h"
#include "FakePpdevSystem.h"
#include "RecordingSleeper.h"
#include "StripedPicture.h"
#include "image/PictureScan.h"
#include "image/Threshold.h"
#include "platform/ports/PortFactory.h"
#include "session/Session.h"

namespace quorvane::session {
namespace {

TEST(PortStackWaits, AWaitAfterAPictureHoldsAtTheAdaptersPins) {
  struct Case {
    const char* name;
    const char* portText;
    Action after;              // what follows the picture
    std::size_t lastBefore;    // the last write before the wait, from the picture's end
    std::uint64_t waitMicros;  // the wait asked for
  };
  constexpr std::size_t kPicture = 504 * 18;  // one run of 2.evnt per byte
  const Case cases[] = {
      // 0.evnt: SB 9, DL 10 (wait, then the byte again), SB 25.
      {"the reset event's DL 10", "ftdi", {ActionKind::Reset, ""}, kPicture, 10000},
      {"a #5 between two bytes", "ftdi", {ActionKind::Command, "#5, 13"}, kPicture - 1, 5000},
      {"at the rate used before", "ftdi@9600", {ActionKind::Reset, ""}, kPicture, 10000},
      {"at the highest rate", "ftdi@200000", {ActionKind::Command, "#5, 13"}, kPicture - 1, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::FakePpdevSystem ppdev;
    testing::FtdiScript script;
    testing::RecordingSleeper sleeper;
    platform::PortSystems systems{ppdev, nullptr, script.Factory()};
    PortStack::Opening opening =
        PortStack::Open(c.portText, systems, {sleeper, sleeper}, {std::nullopt, true});
    ASSERT_NE(opening.stack, nullptr) << opening.error;
    script.clock = &opening.stack->Clock();
    Session session(*opening.stack);
    session.LoadEvents(QUORVANE_DATA_DIR "/");
    image::SendPicture(testing::StripedPicture(), image::kStartImageThreshold,
                       session.Engine().writer);
    session.Run(c.after);

    ASSERT_GT(script.pinNanos.size(), c.lastBefore + 1);
    const std::uint64_t atPins = script.pinNanos[c.lastBefore + 1] - script.pinNanos[c.lastBefore];
    EXPECT_GE(atPins, c.waitMicros * 1000) << "the wait at the pins, in ns";
    // Not much more either: the byte's own period at the pins, and the wait
    // for the pins rounded up to a whole microsecond.
    const std::uint64_t period = 1000000000ull / (16ull * static_cast<unsigned>(script.rate));
    EXPECT_LE(atPins, c.waitMicros * 1000 + period + 1001);
    EXPECT_TRUE(sleeper.requests.empty() && sleeper.microRequests.empty())
        << "virtual time: nothing slept";
  }
}

}  // namespace
}  // namespace quorvane::session
