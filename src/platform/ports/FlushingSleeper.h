#pragma once
// A wait that first sends what a buffering port holds, so that the lines have
// the levels the program set before the wait begins (a reset pulse is as long
// as asked, a delay item comes between the bytes around it). When that send
// fails the wait does not happen: the send it belongs to has stopped.

#include <cstdint>

#include "platform/Sleeper.h"
#include "platform/ports/Port.h"

namespace quorvane::platform {

class FlushingSleeper final : public Sleeper {
 public:
  FlushingSleeper(Port& port, Sleeper& inner) : port_(port), inner_(inner) {}
  void Sleep(std::uint32_t milliseconds) override {
    port_.Flush();
    if (port_.Failed()) return;
    inner_.Sleep(milliseconds);
  }

 private:
  Port& port_;
  Sleeper& inner_;
};

}  // namespace quorvane::platform
