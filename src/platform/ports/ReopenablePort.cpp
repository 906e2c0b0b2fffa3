#include "platform/ports/ReopenablePort.h"

#include <utility>

namespace quorvane::platform {

ReopenablePort::ReopenablePort(OpenedPort opened, const PortSystems& systems)
    : port_(std::move(opened.port)), name_(std::move(opened.name)), systems_(systems) {}

void ReopenablePort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  port_->Out32(address, value);
  if (port_->Failed()) TakeFailure();
}

void ReopenablePort::Flush() {
  if (Failed()) return;
  port_->Flush();
  if (port_->Failed()) TakeFailure();
}

void ReopenablePort::TakeFailure() {
  Fail(port_->Failure());
}

std::string ReopenablePort::OpenInstead(std::string_view portText, OpenedPort& opened) {
  // The old port goes first: the new one may be the same device.
  port_.reset();
  opened = OpenPort(portText, systems_);
  if (!opened.port) {
    const std::string error = opened.error;
    Reopen();
    return error;
  }
  port_ = std::move(opened.port);
  name_ = opened.name;
  ClearFailure();
  return {};
}

std::string ReopenablePort::Reopen() {
  port_.reset();
  OpenedPort opened = OpenPort(name_, systems_);
  if (!opened.port) {
    Fail(opened.error);  // without a port, writes stay refused
    return opened.error;
  }
  port_ = std::move(opened.port);
  ClearFailure();
  return {};
}

}  // namespace quorvane::platform
