#include "session/PortStack.h"

#include <utility>

#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "platform/ports/PortFactory.h"
#include "platform/ports/ReopenablePort.h"
#include "platform/traces/TraceSink.h"
#include "platform/traces/TracingPort.h"
#include "platform/traces/TraceFactory.h"

namespace quorvane::session {

namespace {

// The trace file, when one is asked for: the sink, or why it cannot be had.
struct TraceOpening {
  std::unique_ptr<platform::TraceSink> sink;
  std::string error;
  bool usageError = false;
};

TraceOpening OpenTrace(const PortStackOptions& options) {
  if (!options.trace) return {};
  platform::OpenedTrace trace = platform::OpenTraceWriter(*options.trace);
  return {std::move(trace.sink), std::move(trace.error), trace.usageError};
}

}  // namespace

PortStack::Opening PortStack::Open(std::string_view portText, const platform::PortSystems& systems,
                                   const RealWaits& waits, const PortStackOptions& options) {
  // A backend that reckons when its pins catch up does so on the stack's clock.
  auto clock = std::make_unique<StackClock>(options.virtualTime);
  platform::PortSystems timed = systems;
  timed.clock = clock.get();
  platform::OpenedPort opened = platform::OpenPort(portText, timed);
  if (!opened.port) return {nullptr, opened.error, opened.usageError, {}};
  TraceOpening trace = OpenTrace(options);
  if (!trace.error.empty()) return {nullptr, trace.error, trace.usageError, opened.notice, true};
  const bool simulated = opened.sim != nullptr;
  std::string name = opened.name;
  std::string notice = opened.notice;
  auto reopenable = std::make_unique<platform::ReopenablePort>(std::move(opened), timed);
  platform::Port& backend = *reopenable;
  std::unique_ptr<PortStack> stack(new PortStack(std::move(clock), backend, std::move(reopenable),
                                                 std::move(trace.sink), simulated, waits, options));
  stack->name_ = std::move(name);
  stack->notice_ = notice;
  return {std::move(stack), {}, false, std::move(notice)};
}

PortStack::Opening PortStack::Over(platform::Port& backend, std::string name,
                                   const RealWaits& waits, const PortStackOptions& options) {
  TraceOpening trace = OpenTrace(options);
  if (!trace.error.empty()) return {nullptr, trace.error, trace.usageError, {}, true};
  const bool simulated = name == "sim";
  std::unique_ptr<PortStack> stack(new PortStack(std::make_unique<StackClock>(options.virtualTime),
                                                 backend, nullptr, std::move(trace.sink), simulated,
                                                 waits, options));
  stack->name_ = std::move(name);
  return {std::move(stack), {}, false, {}};
}

PortStack::PortStack(std::unique_ptr<StackClock> clock, platform::Port& backend,
                     std::unique_ptr<platform::ReopenablePort> reopenable,
                     std::unique_ptr<platform::TraceSink> traceSink, bool simulated,
                     const RealWaits& waits, const PortStackOptions& options)
    : clock_(std::move(clock)),
      reopenable_(std::move(reopenable)),
      backend_(backend),
      simulated_(simulated),
      traceSink_(std::move(traceSink)),
      top_(&backend),
      stopPoints_(gate_, options.virtualTime ? clock_->VirtualWaits() : waits.betweenBytes,
                  options.virtualTime ? clock_->VirtualWaits() : waits.withinByte),
      drain_(options.virtualTime ? clock_->VirtualWaits() : waits.withinByte) {
  // Trace time counts from here, the moment the port was opened.
  clock_->Start();
  // The trace records what the port took, under the register the program used.
  if (traceSink_) {
    tracing_ = std::make_unique<platform::TracingPort>(*top_, Clock(), *traceSink_);
    top_ = tracing_.get();
  }
  // The emulated module reads the writes that reach the lines, whatever the
  // port.
  if (options.module == ModuleOnLines::Always ||
      (options.module == ModuleOnLines::WhenSimulated && simulated)) {
    module_ = std::make_unique<module::Pcd8544>();
    feed_ = std::make_unique<module::ModuleFeed>(*top_, *module_);
    top_ = feed_.get();
  }
  // A buffering port sends what it holds before every wait, through every
  // layer, so the module sees the lines settle; then its pins catch up.
  flushing_.emplace(*top_, backend_, drain_, hook_);
}

PortStack::~PortStack() = default;

const platform::Clock& PortStack::Clock() const {
  return *clock_;
}

std::string PortStack::ShownName() const {
  return simulated_ ? "simulated port" : name_;
}

std::string PortStack::Switch(std::string_view portText) {
  if (!reopenable_) return "it was not opened from a port text";
  platform::OpenedPort opened;
  const std::string error = reopenable_->OpenInstead(portText, opened);
  if (!error.empty()) return error;
  name_ = opened.name;
  notice_ = opened.notice;
  simulated_ = opened.sim != nullptr;
  return {};
}

std::string PortStack::Reopen() {
  if (!reopenable_) return "it was not opened from a port text";
  return reopenable_->Reopen();
}

}  // namespace quorvane::session
