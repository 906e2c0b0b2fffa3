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

#include "platform/ports/Port.h"
#include "platform/ports/adapters/FtdiSystem.h"

namespace quorvane::platform {

// A USB vendor and product ID, as lsusb shows them (0403:6001).
struct UsbId {
  std::uint16_t vendor;
  std::uint16_t product;
  friend bool operator==(const UsbId&, const UsbId&) = default;
};

// The adapter to open: the index-th (from 0) adapter of the first USB ID of
// the list that has one plugged in.
struct FtdiAddress {
  std::vector<UsbId> ids;
  unsigned index = 0;
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
  // In asynchronous bit-bang mode the adapter puts the bytes on its pins one
  // after the other at a pace set by its baud-rate generator (libftdi and the
  // chip scale the rate for bit-bang mode): the module's clock runs at that
  // pace, tens of thousands of edges a second or more, far below its limit.
  static constexpr int kBitBangBaudrate = 9600;
  static constexpr std::uint8_t kAllPinsOutput = 0xFF;
  static constexpr std::uint8_t kAsyncBitBangMode = 0x01;

  struct Opening {
    std::unique_ptr<FtdiPort> port;  // null when no adapter could be used
    std::string device;              // the adapter opened ("FTDI adapter 0403:6001")
    std::string error;               // one sentence naming the adapter and the reason
    UsbId id{};                      // the USB ID of the adapter opened
  };

  // Opens the adapter, makes all eight data pins outputs in asynchronous
  // bit-bang mode and sets the bit-bang rate.
  static Opening Open(std::unique_ptr<FtdiSystem> system, const FtdiAddress& address);

  // Takes over an adapter that is open.
  explicit FtdiPort(std::unique_ptr<FtdiSystem> system);
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
  // is latched ("the adapter was unplugged") with the bytes held, none of
  // which count as sent; nothing more is held or written.
  void Flush() override;

 private:
  std::unique_ptr<FtdiSystem> system_;
  std::vector<std::uint8_t> pending_;
};

}  // namespace quorvane::platform
