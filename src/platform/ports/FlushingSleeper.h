#pragma once
// A wait that first sends what a buffering port holds and lets the pins catch
// up, so that the lines have the levels the program set before the wait
// begins (a reset pulse is as long as asked, a delay item comes between the
// bytes around it): an adapter that clocks its bytes out at its own pace is
// waited for until the last of them is on its pins. When that send fails the
// wait does not happen: the send it belongs to has stopped.

#include <cstdint>

#include "platform/Sleeper.h"
#include "platform/ports/Port.h"

namespace quorvane::platform {

class FlushingSleeper final : public Sleeper {
 public:
  // Flushes `port` and waits through `inner`, without waiting for the pins.
  FlushingSleeper(Port& port, Sleeper& inner) : port_(port), pins_(nullptr), inner_(inner) {}
  // The same, and first waits through `drain` until `pins` (the backend under
  // `port`) has its writes on its pins.
  FlushingSleeper(Port& port, const Port& pins, Sleeper& drain, Sleeper& inner)
      : port_(port), pins_(&pins), drain_(&drain), inner_(inner) {}
  void Sleep(std::uint32_t milliseconds) override {
    port_.Flush();
    if (port_.Failed()) return;
    if (pins_ != nullptr) {
      if (const std::uint64_t micros = pins_->MicrosUntilPins(); micros > 0) {
        drain_->SleepMicros(micros);
      }
    }
    inner_.Sleep(milliseconds);
  }

 private:
  Port& port_;
  const Port* pins_;
  Sleeper* drain_ = nullptr;
  Sleeper& inner_;
};

}  // namespace quorvane::platform
