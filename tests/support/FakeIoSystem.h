#pragma once
// A stand-in for the direct port I/O calls: records every call as a line of
// text and answers with the results a test sets.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ports/parallel/IoSystem.h"

namespace quorvane::testing {

class FakeIoSystem final : public platform::IoSystem {
 public:
  int Ioperm(unsigned long from, unsigned long count, bool on) override {
    calls.push_back("ioperm " + Hex(from) + " " + std::to_string(count) + (on ? " on" : " off"));
    return iopermResult;
  }
  int Inb(std::uint16_t port) override {
    calls.push_back("inb " + Hex(port));
    return inbResult;
  }
  int Outb(std::uint8_t value, std::uint16_t port) override {
    calls.push_back("outb " + Hex(value) + " " + Hex(port));
    return ++outbs == failingOutb ? outbError : 0;
  }
  std::string LockdownText() override {
    calls.push_back("read lockdown");
    return lockdownText;
  }

  int iopermResult = 0;  // 0, or a negative errno
  // What every inb reads: a control register with the direction bit clear
  // and the unused bits 6 and 7 high, as many ports read them.
  int inbResult = 0xC4;
  int failingOutb = 0;  // the outb (from 1) that answers outbError; 0: none
  int outbError = -EIO;
  int outbs = 0;
  std::string lockdownText = "[none] integrity confidentiality\n";
  std::vector<std::string> calls;

 private:
  static std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%02lX", value);
    return text;
  }
};

}  // namespace quorvane::testing
