#pragma once
// The port as both programs write to it, put together in one place: the
// backend opened from the port text (and opened again by its name after a
// failure), the trace of every write, the emulated module on the lines; and
// the waits of the engine, which first send what a buffering port holds and
// let its pins catch up, count what they waited, end at a byte boundary when a
// stop is requested, and move a virtual clock instead of sleeping when asked.
// The test rigs build it over a port of their own.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "module/CatchUpSleeper.h"
#include "platform/Clock.h"
#include "platform/VirtualSleeper.h"
#include "platform/ports/FlushingSleeper.h"
#include "platform/ports/Port.h"
#include "session/StackClock.h"
#include "session/StopGate.h"

namespace quorvane::module {
class ModuleFeed;
class Pcd8544;
}  // namespace quorvane::module
namespace quorvane::platform {
class ReopenablePort;
class TraceSink;
class TracingPort;
struct PortSystems;
}  // namespace quorvane::platform

namespace quorvane::session {

// Whether the emulated module reads the lines.
enum class ModuleOnLines { No, WhenSimulated, Always };

struct PortStackOptions {
  std::optional<std::string> trace;  // the trace file: .csv or .vcd
  bool virtualTime = false;          // waits move the trace's clock instead of sleeping
  ModuleOnLines module = ModuleOnLines::No;
};

// The real waits: `betweenBytes` for a wait at a byte boundary, which a stop
// may end early (by throwing StopRequest); `withinByte` for one inside a byte
// or a sequence.
struct RealWaits {
  platform::Sleeper& betweenBytes;
  platform::Sleeper& withinByte;
};

class PortStack {
 public:
  struct Opening {
    std::unique_ptr<PortStack> stack;  // null when the port or the trace could not be opened
    std::string error;                 // why: names the device or the file, and the reason
    bool usageError = false;           // the port text or the trace name is not understood
    std::string notice;                // the port's notice, also when the trace failed
    bool traceFailed = false;          // the port opened, the trace file could not be made
  };

  // Opens the port the text names ("auto", "sim", "ppdev:/dev/parport0", ...).
  static Opening Open(std::string_view portText, const platform::PortSystems& systems,
                      const RealWaits& waits, const PortStackOptions& options);
  // Over a port that stays the caller's (a test's recording port), named
  // `name` in messages; it is never opened again.
  static Opening Over(platform::Port& backend, std::string name, const RealWaits& waits,
                      const PortStackOptions& options);

  ~PortStack();
  PortStack(const PortStack&) = delete;
  PortStack& operator=(const PortStack&) = delete;

  // What the engine writes to.
  platform::Port& Top() { return *top_; }
  // What the engine waits through.
  platform::Sleeper& Waits() { return *flushing_; }
  StopGate& Gate() { return gate_; }
  // The waits that ran to their end, in milliseconds, since the port opened.
  std::uint64_t WaitedMilliseconds() const { return counting_.waitedMilliseconds; }
  // Runs before every wait (the module window catches up).
  void SetWaitHook(std::function<void()> hook) { hook_.SetHook(std::move(hook)); }

  // Trace time: microseconds since the port was opened, real or virtual.
  const platform::Clock& Clock() const;
  // The emulated module on the lines, when asked for.
  module::Pcd8544* Module() { return module_.get(); }
  // The trace of the port writes, when one is written.
  const platform::TracingPort* Trace() const { return tracing_.get(); }

  // The port text that names the port ("sim", "ppdev:/dev/parport0", also
  // when auto chose it).
  const std::string& Name() const { return name_; }
  // The port in messages: "simulated port", or its port text.
  std::string ShownName() const;
  bool Simulated() const { return simulated_; }
  // Plain words to show the user once: auto fell back to the simulated port,
  // or what a backend leaves out.
  const std::string& Notice() const { return notice_; }

  // Closes the failed port and opens the same port by its name: empty when it
  // works, otherwise why not; writes stay refused until an opening works.
  std::string Reopen();
  // Writes go to the port `portText` names from now on (the trace and the
  // module stay): empty when it opened, otherwise why not, and the port stays
  // the one it was.
  std::string Switch(std::string_view portText);

 private:
  PortStack(std::unique_ptr<StackClock> clock, platform::Port& backend,
            std::unique_ptr<platform::ReopenablePort> reopenable,
            std::unique_ptr<platform::TraceSink> traceSink, bool simulated, const RealWaits& waits,
            const PortStackOptions& options);

  // First made, last gone: the backend tells the time by it until it closes.
  std::unique_ptr<StackClock> clock_;
  std::unique_ptr<platform::ReopenablePort> reopenable_;
  platform::Port& backend_;
  std::string name_;
  std::string notice_;
  bool simulated_ = false;
  std::unique_ptr<platform::TraceSink> traceSink_;
  std::unique_ptr<platform::TracingPort> tracing_;
  std::unique_ptr<module::Pcd8544> module_;
  std::unique_ptr<module::ModuleFeed> feed_;
  platform::Port* top_;
  StopGate gate_;
  StopPointSleeper stopPoints_;
  CountingSleeper counting_{stopPoints_};
  module::CatchUpSleeper hook_{counting_};
  platform::Sleeper& drain_;  // where the waits for the pins go: real or virtual time
  std::optional<platform::FlushingSleeper> flushing_;  // made once the top is known
};

}  // namespace quorvane::session
