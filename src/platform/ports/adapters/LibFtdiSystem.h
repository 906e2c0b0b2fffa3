#pragma once
// The real libftdi1 calls behind the FTDI backend: one library context for one
// adapter (built only where libftdi1 is found).

#include <memory>

#include "platform/ports/adapters/FtdiSystem.h"

struct ftdi_context;

namespace quorvane::platform {

class LibFtdiSystem final : public FtdiSystem {
 public:
  LibFtdiSystem();
  ~LibFtdiSystem() override;
  LibFtdiSystem(const LibFtdiSystem&) = delete;
  LibFtdiSystem& operator=(const LibFtdiSystem&) = delete;

  int OpenAdapter(std::uint16_t vendor, std::uint16_t product, unsigned index) override;
  int SetBitmode(std::uint8_t outputPins, std::uint8_t mode) override;
  int SetBaudrate(int baudrate) override;
  int WriteData(const std::uint8_t* data, int size) override;
  std::string ErrorString() override;
  void Close() override;
  int CountAdapters(std::uint16_t vendor, std::uint16_t product) override;

 private:
  struct ContextFree {
    void operator()(ftdi_context* context) const;
  };
  std::unique_ptr<ftdi_context, ContextFree> context_;  // null when libusb could not start
};

}  // namespace quorvane::platform
