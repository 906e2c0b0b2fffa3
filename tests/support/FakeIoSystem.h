#pragma once
// A stand-in for the direct port I/O calls: records every call as a line of
// text and answers with the results a test sets.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/ports/parallel/IoSystem.h"

namespace quorvane::testing {

class FakeIoSystem final : public platform::IoSystem {
 public:
  int Ioperm(unsigned long from, unsigned long count, bool on) override {
    calls.push_back("ioperm " + Hex(from) + " " + std::to_string(count) + (on ? " on" : " off"));
    if (on && iopermResult == 0) base_ = from;
    return iopermResult;
  }
  // The port granted last: its data register (base) reads back what was
  // written to it, as a standard port's does in output mode, unless nothing
  // answers there (an empty bus reads 0xFF); every other port reads inbResult.
  int Inb(std::uint16_t port) override {
    calls.push_back("inb " + Hex(port));
    if (port == base_) return portAnswers ? data | stuckHigh : 0xFF;
    return inbResult;
  }
  int Outb(std::uint8_t value, std::uint16_t port) override {
    calls.push_back("outb " + Hex(value) + " " + Hex(port));
    if (++outbs == failingOutb) return outbError;
    if (onOutb) onOutb(outbs);
    if (port == base_) data = value;
    return 0;
  }
  std::string LockdownText() override {
    calls.push_back("read lockdown");
    return lockdownText;
  }

  int iopermResult = 0;  // 0, or a negative errno
  // What every inb reads: a control register with the direction bit clear
  // and the unused bits 6 and 7 high, as many ports read them.
  int inbResult = 0xC4;
  bool portAnswers = true;  // whether a port sits at the base granted
  int data = 0x1B;          // what the data register holds: SCLK, SDA, CS and RESET high
  int stuckHigh = 0;        // data lines that read 1 whatever was written (a short)
  // Outb calls an opening makes: the control register, the two check
  // patterns, the data register's own byte back.
  static constexpr int kOpeningOutbs = 4;
  int failingOutb = 0;  // the outb (from 1) that answers outbError; 0: none
  int outbError = -EIO;
  int outbs = 0;
  std::function<void(int)> onOutb;  // called with the count of each outb that succeeds
  std::string lockdownText = "[none] integrity confidentiality\n";
  std::vector<std::string> calls;

 private:
  static std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%02lX", value);
    return text;
  }
  unsigned long base_ = 0x10000;  // none granted yet
};

}  // namespace quorvane::testing
