#include "platform/LibFtdiSystem.h"

#include <ftdi.h>

#include <cerrno>

namespace quorvane::platform {

namespace {

// ftdi_usb_open_dev reports a refused libusb_open only as this code; the errno
// of the refused open of the device node is still set when it returns.
constexpr int kLibusbOpenFailed = -4;

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
  return ftdi_write_data(context_.get(), data, size);
}

std::string LibFtdiSystem::ErrorString() {
  if (!context_) return "the USB library could not be started";
  const char* words = ftdi_get_error_string(context_.get());
  return words != nullptr ? words : "";
}

void LibFtdiSystem::Close() {
  if (context_) ftdi_usb_close(context_.get());
}

}  // namespace quorvane::platform
