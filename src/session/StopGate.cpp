#include "session/StopGate.h"

#include "platform/StopSignal.h"

namespace quorvane::session {

void StopGate::BeforeWrite(std::uint64_t writes) {
  if (enabled_ && platform::StopRequested() && AtBoundary(writes)) throw platform::StopRequest();
  writes_ = writes + 1;
}

void StopPointSleeper::Sleep(std::uint32_t milliseconds) {
  if (!gate_.Enabled() || !gate_.AtBoundary()) {
    withinByte_.Sleep(milliseconds);
    return;
  }
  platform::ThrowIfStopRequested();
  betweenBytes_.Sleep(milliseconds);
}

}  // namespace quorvane::session
