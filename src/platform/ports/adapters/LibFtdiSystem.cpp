#include "platform/ports/adapters/LibFtdiSystem.h"

#include <ftdi.h>
#include <libusb.h>

#include <cerrno>

namespace quorvane::platform {

namespace {

// ftdi_usb_open_dev reports a refused libusb_open only as this code; the errno
// of the refused open of the device node is still set when it returns.
constexpr int kLibusbOpenFailed = -4;
constexpr unsigned kProbeTimeoutMs = 500;
// A standard request from the device itself, answered towards the host.
constexpr std::uint8_t kStatusRequestType =
    static_cast<std::uint8_t>(LIBUSB_ENDPOINT_IN) |
    static_cast<std::uint8_t>(LIBUSB_REQUEST_TYPE_STANDARD) |
    static_cast<std::uint8_t>(LIBUSB_RECIPIENT_DEVICE);

struct ListFree {
  void operator()(ftdi_device_list* list) const { ftdi_list_free2(list); }
};

}  // namespace

void LibFtdiSystem::ContextFree::operator()(ftdi_context* context) const {
  ftdi_free(context);
}

LibFtdiSystem::LibFtdiSystem() : context_(ftdi_new()) {}

LibFtdiSystem::~LibFtdiSystem() = default;

int LibFtdiSystem::OpenAdapter(std::uint16_t vendor, std::uint16_t product, unsigned index) {
  if (!context_) return kSearchFailed;
  ftdi_device_list* found = nullptr;
  const int count = ftdi_usb_find_all(context_.get(), &found, vendor, product);
  const std::unique_ptr<ftdi_device_list, ListFree> list(found);
  if (count < 0) return kSearchFailed;
  ftdi_device_list* entry = list.get();
  for (unsigned n = 0; entry != nullptr && n < index; ++n) entry = entry->next;
  if (entry == nullptr) return kNoSuchAdapter;
  errno = 0;
  const int result = ftdi_usb_open_dev(context_.get(), entry->dev);
  const int openError = errno;
  if (result == kLibusbOpenFailed && (openError == EACCES || openError == EPERM)) {
    return kNoPermission;
  }
  return result;
}

int LibFtdiSystem::SetBitmode(std::uint8_t outputPins, std::uint8_t mode) {
  return ftdi_set_bitmode(context_.get(), outputPins, mode);
}

int LibFtdiSystem::SetBaudrate(int baudrate) {
  return ftdi_set_baudrate(context_.get(), baudrate);
}

int LibFtdiSystem::WriteData(const std::uint8_t* data, int size) {
  const int result = ftdi_write_data(context_.get(), data, size);
  // A failed bulk transfer comes back as -1 whatever libusb said; an unplugged
  // adapter answers no request at all (LIBUSB_ERROR_NO_DEVICE), which a
  // status request tells apart from a transfer that failed for other reasons.
  if (result == kBulkWriteFailed && context_->usb_dev != nullptr) {
    unsigned char status[2];
    const int probe =
        libusb_control_transfer(context_->usb_dev, kStatusRequestType, LIBUSB_REQUEST_GET_STATUS, 0,
                                0, status, sizeof status, kProbeTimeoutMs);
    if (probe == LIBUSB_ERROR_NO_DEVICE) return kUnplugged;
  }
  return result;
}

std::string LibFtdiSystem::ErrorString() {
  if (!context_) return "the USB library could not be started";
  const char* words = ftdi_get_error_string(context_.get());
  return words != nullptr ? words : "";
}

int LibFtdiSystem::CountAdapters(std::uint16_t vendor, std::uint16_t product) {
  if (!context_) return 0;
  ftdi_device_list* found = nullptr;
  const int count = ftdi_usb_find_all(context_.get(), &found, vendor, product);
  const std::unique_ptr<ftdi_device_list, ListFree> list(found);
  return count > 0 ? count : 0;
}

void LibFtdiSystem::Close() {
  if (context_) ftdi_usb_close(context_.get());
}

}  // namespace quorvane::platform
