#pragma once
// The libftdi1 calls the FTDI backend makes, on one adapter, behind an
// interface so that the backend's logic runs against a stand-in where no
// adapter is plugged in.

#include <cstdint>
#include <string>

namespace quorvane::platform {

class FtdiSystem {
 public:
  // Results of OpenAdapter besides 0 and the codes of ftdi_usb_open_dev.
  static constexpr int kNoSuchAdapter = -100;  // fewer adapters with that USB ID are plugged in
  static constexpr int kSearchFailed = -101;   // the USB devices could not be listed
  // ftdi_usb_open_dev's own codes that the backend tells apart.
  static constexpr int kConfigurationRefused = -3;  // another driver holds the device
  static constexpr int kClaimRefused = -5;          // another program or driver holds it
  static constexpr int kNoPermission = -8;          // also: the system refused to open it
  // Results of WriteData besides the size written.
  static constexpr int kUnplugged = -102;          // the adapter left the USB bus
  static constexpr int kDeviceUnavailable = -666;  // libftdi's own: no adapter is open
  static constexpr int kBulkWriteFailed = -1;      // libftdi's own: libusb refused a transfer

  virtual ~FtdiSystem() = default;
  // ftdi_usb_find_all, then ftdi_usb_open_dev on the index-th adapter (from 0)
  // with that USB ID: 0, or one of the negative codes above or of the library.
  virtual int OpenAdapter(std::uint16_t vendor, std::uint16_t product, unsigned index) = 0;
  // ftdi_set_bitmode: 0, or a negative code.
  virtual int SetBitmode(std::uint8_t outputPins, std::uint8_t mode) = 0;
  // ftdi_set_baudrate: 0, or a negative code.
  virtual int SetBaudrate(int baudrate) = 0;
  // ftdi_write_data: `size` once every byte is written, else a negative code:
  // kUnplugged when the write failed because the adapter is gone,
  // kDeviceUnavailable when no adapter is open, kBulkWriteFailed for another
  // failed bulk transfer. libftdi 1.5 loops over its chunks until all are
  // written, so it never answers with a part of the size.
  virtual int WriteData(const std::uint8_t* data, int size) = 0;
  // ftdi_get_error_string: the library's words for its last failure.
  virtual std::string ErrorString() = 0;
  // ftdi_usb_close.
  virtual void Close() = 0;
  // ftdi_usb_find_all: how many adapters with that USB ID are plugged in (0
  // when they cannot be listed); nothing is opened.
  virtual int CountAdapters(std::uint16_t vendor, std::uint16_t product) = 0;
};

}  // namespace quorvane::platform
