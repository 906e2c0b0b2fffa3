#pragma once
// A stand-in for the libftdi1 calls: records every call as a line of text and
// the bytes of every write, and answers as the script says. The script outlives
// the stand-ins, which the ports own.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/FtdiSystem.h"

namespace quorvane::testing {

struct FtdiScript {
  // Adapters plugged in, by USB ID (vendor, product).
  std::map<std::pair<std::uint16_t, std::uint16_t>, unsigned> plugged = {{{0x0403, 0x6001}, 1}};
  int openResult = 0;  // for an adapter that is plugged in
  int bitmodeResult = 0;
  int baudrateResult = 0;
  std::deque<int> writeResults;  // answers to the writes in turn; then every byte is written
  int failingWrite = 0;          // the write (from 1) that answers failCode instead; 0: none
  int failCode = platform::FtdiSystem::kUnplugged;
  int writesMade = 0;
  std::string errorString = "usb error";
  std::vector<std::string> calls;
  std::vector<std::vector<std::uint8_t>> writes;  // the bytes offered to each write
  int made = 0;                                   // stand-ins made by Factory()

  // All bytes offered, in order.
  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> bytes;
    for (const auto& write : writes) bytes.insert(bytes.end(), write.begin(), write.end());
    return bytes;
  }
  std::function<std::unique_ptr<platform::FtdiSystem>()> Factory();
};

class FakeFtdiSystem final : public platform::FtdiSystem {
 public:
  explicit FakeFtdiSystem(FtdiScript& script) : script_(script) {}
  ~FakeFtdiSystem() override { script_.calls.push_back("free"); }

  int OpenAdapter(std::uint16_t vendor, std::uint16_t product, unsigned index) override {
    char text[40];
    std::snprintf(text, sizeof text, "open %04x:%04x %u", vendor, product, index);
    script_.calls.push_back(text);
    const auto plugged = script_.plugged.find({vendor, product});
    if (plugged == script_.plugged.end() || index >= plugged->second) return kNoSuchAdapter;
    return script_.openResult;
  }
  int SetBitmode(std::uint8_t outputPins, std::uint8_t mode) override {
    char text[40];
    std::snprintf(text, sizeof text, "bitmode 0x%02X 0x%02X", outputPins, mode);
    script_.calls.push_back(text);
    return script_.bitmodeResult;
  }
  int SetBaudrate(int baudrate) override {
    script_.calls.push_back("baudrate " + std::to_string(baudrate));
    return script_.baudrateResult;
  }
  int WriteData(const std::uint8_t* data, int size) override {
    script_.calls.push_back("write " + std::to_string(size));
    script_.writes.emplace_back(data, data + size);
    if (++script_.writesMade == script_.failingWrite) return script_.failCode;
    if (script_.writeResults.empty()) return size;
    const int result = script_.writeResults.front();
    script_.writeResults.pop_front();
    return result;
  }
  std::string ErrorString() override { return script_.errorString; }
  void Close() override { script_.calls.push_back("close"); }

 private:
  FtdiScript& script_;
};

inline std::function<std::unique_ptr<platform::FtdiSystem>()> FtdiScript::Factory() {
  return [this] {
    ++made;
    return std::make_unique<FakeFtdiSystem>(*this);
  };
}

}  // namespace quorvane::testing
