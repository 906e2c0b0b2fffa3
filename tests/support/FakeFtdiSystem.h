#pragma once
// A stand-in for the libftdi1 calls: records every call as a line of text and
// the bytes of every write, and answers as the script says. The script outlives
// the stand-ins, which the ports own.
//
// Its writes answer as ftdi_write_data of libftdi 1.5 does (ftdi.c): the call
// loops over the chunks of the buffer until every byte is written and returns
// the whole size, or returns a negative code at once: -666 when no device is
// open ("USB device unavailable") and -1 for any bulk transfer libusb refused
// ("usb bulk write failed"), which LibFtdiSystem tells apart as kUnplugged
// when the adapter left the bus. It never returns a part of the size or 0.
//
// With a clock it also models the adapter's pins: a write hands the bytes over
// at once, and the adapter clocks them out one after the other, at the pace
// its bit-bang rate gives (16 writes a second per unit of the rate set, as an
// FT232R: libftdi sets 4 × the rate as the baud rate, ftdi_set_baudrate in
// ftdi.c, and the chip clocks a byte out every quarter baud period), each
// after the one before, never before the write that handed it over.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/ports/adapters/FtdiSystem.h"

namespace quorvane::testing {

struct FtdiScript {
  // Adapters plugged in, by USB ID (vendor, product).
  std::map<std::pair<std::uint16_t, std::uint16_t>, unsigned> plugged = {{{0x0403, 0x6001}, 1}};
  int openResult = 0;  // for an adapter that is plugged in
  int bitmodeResult = 0;
  int baudrateResult = 0;
  // The write (from 1) that fails with failCode; every other write takes all
  // its bytes. 0: none fails.
  int failingWrite = 0;
  int failCode = platform::FtdiSystem::kUnplugged;  // or kDeviceUnavailable, kBulkWriteFailed
  int writesMade = 0;
  std::string errorString = "usb error";
  std::vector<std::string> calls;
  std::vector<std::vector<std::uint8_t>> writes;  // the bytes offered to each write
  int made = 0;                                   // stand-ins made by Factory()
  // The time the writes are handed over on; null: the pins are not modelled.
  const platform::Clock* clock = nullptr;
  int rate = 0;  // the bit-bang rate set
  // When each byte written reached the pins, in nanoseconds on `clock`.
  std::vector<std::uint64_t> pinNanos;
  std::uint64_t pinsFreeAt = 0;  // when the adapter is done with what it holds

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
    if (script_.baudrateResult == 0) script_.rate = baudrate;
    return script_.baudrateResult;
  }
  int WriteData(const std::uint8_t* data, int size) override {
    script_.calls.push_back("write " + std::to_string(size));
    script_.writes.emplace_back(data, data + size);
    if (++script_.writesMade == script_.failingWrite) return script_.failCode;
    if (script_.clock != nullptr && script_.rate > 0) {
      // Byte k of a run the adapter clocks out without a pause is on the pins
      // k periods after the run began.
      const std::uint64_t pace = 16ull * static_cast<unsigned>(script_.rate);
      const std::uint64_t now = script_.clock->NowMicros() * 1000;
      if (now >= script_.pinsFreeAt) {
        runStart_ = now;
        runBytes_ = 0;
      }
      for (int n = 0; n < size; ++n, ++runBytes_) {
        script_.pinNanos.push_back(runStart_ + runBytes_ * 1000000000 / pace);
      }
      script_.pinsFreeAt = runStart_ + (runBytes_ * 1000000000 + pace - 1) / pace;
    }
    return size;
  }
  std::string ErrorString() override { return script_.errorString; }
  void Close() override { script_.calls.push_back("close"); }
  int CountAdapters(std::uint16_t vendor, std::uint16_t product) override {
    const auto plugged = script_.plugged.find({vendor, product});
    return plugged == script_.plugged.end() ? 0 : static_cast<int>(plugged->second);
  }

 private:
  FtdiScript& script_;
  std::uint64_t runStart_ = 0;  // when the adapter began its present run, ns
  std::uint64_t runBytes_ = 0;  // bytes of that run handed over so far
};

inline std::function<std::unique_ptr<platform::FtdiSystem>()> FtdiScript::Factory() {
  return [this] {
    ++made;
    return std::make_unique<FakeFtdiSystem>(*this);
  };
}

}  // namespace quorvane::testing
