#pragma once
// The data register on the eight data pins of an FTDI USB adapter (FT232R,
// FT232H and the like) in asynchronous bit-bang mode: bit n of each byte
// drives pin Dn, as on the parallel port. Writes are gathered and sent in
// batches, so that a picture goes out in a few USB transfers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/ports/Port.h"
#include "platform/ports/adapters/FtdiSystem.h"

namespace quorvane::platform {

// A USB vendor and product ID, as lsusb shows them (0403:6001).
struct UsbId {
  std::uint16_t vendor;
  std::uint16_t product;
  friend bool operator==(const UsbId&, const UsbId&) = default;
};

// "0403:6001", as lsusb shows a USB ID.
std::string UsbIdText(UsbId id);

// The bit-bang rate handed to libftdi, and what it gives at the pins. libftdi
// sets the chip's baud rate to 4 × RATE in bit-bang mode (ftdi.c,
// ftdi_set_baudrate), and the chip puts one bit-bang byte on its pins every
// quarter baud period: an FT232R makes 16 × RATE writes a second, the 16 times
// the baud rate that FTDI's application note on the bit-bang modes gives. An
// FT232H clocks its generator from 120 MHz and is at least as fast.
inline constexpr int kFtdiWritesPerRate = 16;
// 1,000,000 writes a second on an FT232R: the serial clock, two writes a
// period, runs at 500 kHz, an eighth of the controller's 4 MHz limit, with
// room for hobby wiring, level shifters and long leads; a picture's 9,072
// writes take 9.1 ms at the pins. (9600, used before, gave 153,600 writes a
// second, 59 ms a picture.)
inline constexpr int kDefaultFtdiRate = 62500;
// From a slow clock for long leads to one that keeps the serial clock at or
// below half the controller's limit even on a faster chip.
inline constexpr int kLowestFtdiRate = 300;
inline constexpr int kHighestFtdiRate = 200000;

// The adapter to open: the index-th (from 0) adapter of the first USB ID of
// the list that has one plugged in, and its bit-bang rate.
struct FtdiAddress {
  std::vector<UsbId> ids;
  unsigned index = 0;
  int rate = kDefaultFtdiRate;
  friend bool operator==(const FtdiAddress&, const FtdiAddress&) = default;
};

class FtdiPort final : public Port {
 public:
  // The IDs looked for when none is given: FT232R, then FT232H.
  static constexpr UsbId kFt232r = {0x0403, 0x6001};
  static constexpr UsbId kFt232h = {0x0403, 0x6014};
  // Bytes held before they are sent without waiting for a flush: the chunk
  // libftdi hands to one USB bulk transfer.
  static constexpr std::size_t kBatchLimit = 4096;
  static constexpr std::uint8_t kAllPinsOutput = 0xFF;
  static constexpr std::uint8_t kAsyncBitBangMode = 0x01;

  struct Opening {
    std::unique_ptr<FtdiPort> port;  // null when no adapter could be used
    std::string device;              // the adapter opened ("FTDI adapter 0403:6001")
    std::string error;               // one sentence naming the adapter and the reason
    UsbId id{};                      // the USB ID of the adapter opened
  };

  // Opens the adapter, makes all eight data pins outputs in asynchronous
  // bit-bang mode and sets the address's bit-bang rate. `clock` tells when the
  // pins have caught up (null: real time); it must outlive the port.
  static Opening Open(std::unique_ptr<FtdiSystem> system, const FtdiAddress& address,
                      const Clock* clock = nullptr);

  // Takes over an adapter that is open, at a bit-bang rate.
  FtdiPort(std::unique_ptr<FtdiSystem> system, int rate, const Clock* clock = nullptr);
  // Sends what it holds, then closes the adapter. The pins keep their last
  // levels, as a parallel port's lines do.
  ~FtdiPort() override;
  FtdiPort(const FtdiPort&) = delete;
  FtdiPort& operator=(const FtdiPort&) = delete;

  // Data-register bytes are held in order and sent when kBatchLimit are held;
  // the control register has no pins on the adapter and is ignored, as are
  // other addresses.
  void Out32(std::uint16_t address, std::uint8_t value) override;
  // Sends the bytes held, in order, in one library write. A write that fails
  // is latched ("the adapter was unplugged") with the writes held, none of
  // which count as sent (control-register writes among them too); nothing
  // more is held or written.
  void Flush() override;
  // The adapter clocks out what a write handed it at its own pace, after the
  // write returns (libusb's transfer ends once the chip took the bytes into
  // its buffer). Counted from each write's return at 16 × RATE writes a
  // second, so a wait never starts before the pins are done; it may start a
  // little late, by what the adapter clocked out while the transfer ran.
  std::uint64_t MicrosUntilPins() const override;

 private:
  std::unique_ptr<FtdiSystem> system_;
  std::vector<std::uint8_t> pending_;
  std::uint64_t heldWrites_ = 0;  // writes since the last flush, on any register
  int rate_;
  SteadyClock ownClock_;
  const Clock& clock_;
  // When the last byte handed over is on the pins, in nanoseconds on clock_.
  std::uint64_t pinsDoneAtNanos_ = 0;
};

}  // namespace quorvane::platform
