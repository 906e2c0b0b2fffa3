// A port write that fails ends the send at once: an event run, a value list, a
// power sequence and a picture write nothing after the failed write and wait
// no more. Each send is run once on a port that works, then once for every
// write k failing: what reaches the port (and every wait) must be exactly the
// part of the first run that came before write k.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeFtdiSystem.h"
#include "RecordingDisplay.h"
#include "RecordingSleeper.h"
#include "StepArrays.h"
#include "events/Engine.h"
#include "events/EventCatalogue.h"
#include "events/WriteCount.h"
#include "global/Diagnostics.h"
#include "image/PictureScan.h"
#include "platform/ports/FlushingSleeper.h"
#include "platform/ports/SimPort.h"
#include "platform/ports/adapters/FtdiPort.h"
#include "port/FailureReport.h"
#include "port/PowerSequences.h"

namespace quorvane::events {
namespace {

using Log = std::vector<std::string>;

// Two bytes of data per column band: a picture of 2 × 8 pixels gives 2 bytes.
class TwoColumns final : public image::PixelSource {
 public:
  int Width() const override { return 2; }
  int Height() const override { return 8; }
  std::int32_t ColourValue(int x, int y) const override { return (x + y) % 3 == 0 ? 0 : 16777215; }
};

struct Outcome {
  Log log;                 // "w 0x378=0x08", "sleep 10" in the order they happened
  std::uint64_t handed;    // writes the engine handed to the port
  std::uint64_t wentOut;   // of those, the ones that went out
  std::size_t shownTaken;  // shown writes among the unsent ones
};

using Send = std::function<void(Engine&)>;

// Runs the send on the simulated port; failAt 0: no write fails.
Outcome RunSend(const Send& send, std::uint64_t failAt) {
  platform::SimPort sim;
  if (failAt != 0) sim.FailAtWrite(failAt, "the test pulled the plug");
  testing::RecordingSleeper sleeper;
  testing::RecordingDisplay display;
  global::Diagnostics diagnostics;
  Engine engine(sim, sleeper, diagnostics);
  engine.output.SetDisplayStep(&display);
  engine.global.CommandEventSteps = testing::Steps({"SB, 8", "TX, 0,SL,DH,", "SB, 8"});
  engine.global.DataEventSteps = testing::Steps({"SB, 12", "TX, 4,SL,DH,", "SB, 12"});
  engine.global.SelectedEventSteps =
      testing::Steps({"SB, 9", "DL, 10", "SB, 25", "TX, 0,SH,DL,165", "DL, 20", "SB, 0"});
  std::size_t keptWrites = 0;
  Log log;
  const auto takeWrites = [&] {
    for (; keptWrites < sim.Writes().size(); ++keptWrites) {
      char text[24];
      std::snprintf(text, sizeof text, "w 0x%X=0x%02X", sim.Writes()[keptWrites].address,
                    sim.Writes()[keptWrites].value);
      log.push_back(text);
    }
  };
  sleeper.onSleep = [&](std::uint32_t ms) {
    takeWrites();
    log.push_back("sleep " + std::to_string(ms));
  };
  send(engine);
  takeWrites();
  const std::uint64_t unsent = sim.Failure().unsentWrites;
  return {log, engine.output.Writes(), port::WritesThatWentOut(engine.output, 0),
          engine.output.ShownAmongLast(unsent)};
}

// shown: whether the send's writes are shown on the line display (-1: some are).
void ExpectEveryFailureStopsAtItsWrite(const char* name, const Send& send, int shown) {
  SCOPED_TRACE(name);
  const Outcome whole = RunSend(send, 0);
  std::vector<std::size_t> writeAt;  // where each write stands in the log
  for (std::size_t i = 0; i < whole.log.size(); ++i) {
    if (whole.log[i][0] == 'w') writeAt.push_back(i);
  }
  ASSERT_EQ(writeAt.size(), whole.handed);
  ASSERT_GT(whole.handed, 2u);
  for (std::uint64_t k = 1; k <= whole.handed; ++k) {
    SCOPED_TRACE(k);
    const Outcome failed = RunSend(send, k);
    // Everything before write k (waits included), nothing from write k on.
    EXPECT_EQ(failed.log, Log(whole.log.begin(), whole.log.begin() + writeAt[k - 1]));
    EXPECT_EQ(failed.handed, k);
    EXPECT_EQ(failed.wentOut, k - 1);
    if (shown >= 0) {
      EXPECT_EQ(failed.shownTaken, static_cast<std::size_t>(shown));
    }
  }
}

TEST(PortFailure, EveryKindOfSendStopsAtTheFailedWrite) {
  ExpectEveryFailureStopsAtItsWrite(
      "event run with waits",
      [](Engine& e) { e.interpreter.ExecuteEvent(e.global.SelectedEventSteps, 0, false); }, 1);
  ExpectEveryFailureStopsAtItsWrite(
      "value list", [](Engine& e) { e.writer.MultiDataWrite("33, #500, 200, #20, 5", true); }, 1);
  ExpectEveryFailureStopsAtItsWrite(
      "power on", [](Engine& e) { port::PowerOn(e.global, e.output, e.sleeper); }, -1);
  ExpectEveryFailureStopsAtItsWrite(
      "picture",
      [](Engine& e) {
        const TwoColumns picture;
        image::SendPicture(picture, 8389000, e.writer);
      },
      0);
  ExpectEveryFailureStopsAtItsWrite(
      "start-up, power off, Do 0, shut-down",
      [](Engine& e) {
        port::StartupRaiseReset(e.global, e.output, e.sleeper);
        port::PowerOff(e.global, e.output);
        port::DoZero(e.global, e.output);
        port::ShutdownWrites(e.output);
      },
      -1);
}

TEST(PortFailure, ShownWritesAmongTheUnsentAreCounted) {
  // Power on: the control write is not shown, the RESET pulse is.
  const Send powerOn = [](Engine& e) { port::PowerOn(e.global, e.output, e.sleeper); };
  EXPECT_EQ(RunSend(powerOn, 1).shownTaken, 0u);
  EXPECT_EQ(RunSend(powerOn, 2).shownTaken, 1u);
  // Start-up: RESET is shown, the control write after it is not.
  const Send startup = [](Engine& e) { port::StartupRaiseReset(e.global, e.output, e.sleeper); };
  EXPECT_EQ(RunSend(startup, 1).shownTaken, 1u);
  EXPECT_EQ(RunSend(startup, 2).shownTaken, 0u);
}

TEST(PortFailure, WritesPlannedForASendMatchWhatItWrites) {
  global::Global global;
  global.ProgramFolder = QUORVANE_DATA_DIR "/";
  InitEvents(global);
  // The shipped events: the reset pulse is SB, DL, SB; a byte is SB, TX, SB.
  EXPECT_EQ(WritesPerRun(global.ResetEventSteps), 3u);
  EXPECT_EQ(WritesPerRun(global.CommandEventSteps), 18u);
  EXPECT_EQ(WritesPerRun(global.DataEventSteps), 18u);
  // A skipped step writes nothing; the end marker ends the count.
  EXPECT_EQ(WritesPerRun(testing::Steps({"SB, 300", "TX, 4,SL,DH,256", "DL, 5", "tx, 1", "SB, 1"})),
            2u);
  EXPECT_EQ(WritesPerRun(testing::Steps({})), 0u);
  EXPECT_EQ(WritesOfValueList(global, "33, 200, 5, 21, 32, 9, #500, 8, #500, 13", true), 8u * 18);
  EXPECT_EQ(WritesOfValueList(global, "1, 256", false), 0u) << "a refused list sends nothing";
  EXPECT_EQ(WritesOfValueList(global, "#5", false), 0u);
  const TwoColumns picture;
  EXPECT_EQ(image::ScanByteCount(picture), 2u);

  const Outcome list = RunSend([](Engine& e) { e.writer.MultiDataWrite("1, #5, 2", true); }, 0);
  global::Global rig;
  rig.CommandEventSteps = testing::Steps({"SB, 8", "TX, 0,SL,DH,", "SB, 8"});
  EXPECT_EQ(WritesOfValueList(rig, "1, #5, 2", true), list.handed);
}

// The adapter holds the bytes of a value list until the wait of its delay
// item; when that transfer fails the wait does not happen, nothing after it
// is sent, and none of the held writes went out.
TEST(PortFailure, AFlushThatFailsBeforeAWaitEndsTheWaitAndTheList) {
  testing::FtdiScript script;
  script.failingWrite = 1;
  auto opening = platform::FtdiPort::Open(script.Factory()(), {{platform::FtdiPort::kFt232r}, 0});
  ASSERT_NE(opening.port, nullptr);
  script.calls.clear();
  testing::RecordingSleeper recording;
  recording.onSleep = [&](std::uint32_t ms) {
    script.calls.push_back("sleep " + std::to_string(ms));
  };
  platform::FlushingSleeper sleeper(*opening.port, recording);
  global::Diagnostics diagnostics;
  Engine engine(*opening.port, sleeper, diagnostics);
  engine.global.ProgramFolder = QUORVANE_DATA_DIR "/";
  InitEvents(engine.global);
  engine.writer.MultiDataWrite("1, #500, 2, #500, 3", true);
  opening.port->Flush();
  EXPECT_EQ(script.calls, (std::vector<std::string>{"write 18"}));
  EXPECT_TRUE(recording.requests.empty());
  EXPECT_EQ(engine.output.Writes(), 18u);
  EXPECT_EQ(port::WritesThatWentOut(engine.output, 0), 0u);
  EXPECT_EQ(opening.port->Failure().reason, "the adapter was unplugged");
}

}  // namespace
}  // namespace quorvane::events
