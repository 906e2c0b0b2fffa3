#pragma once
// The port a front writes to: the backend opened from the port text, which it
// opens again by its name after a failure. A failure of the backend is latched
// here as well, so that the ports layered over this one (trace, module feed)
// see it, and see it cleared once the port works again.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports/Port.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::platform {

class ReopenablePort final : public Port {
 public:
  // `opened` must hold a port; `systems` must outlive this one.
  ReopenablePort(OpenedPort opened, const PortSystems& systems);

  void Out32(std::uint16_t address, std::uint8_t value) override;
  void Flush() override;
  std::uint64_t MicrosUntilPins() const override { return port_ ? port_->MicrosUntilPins() : 0; }

  // "ppdev:/dev/parport0": the port text that opens the port again.
  const std::string& Name() const { return name_; }
  // Closes the port (a claimed parallel port or an adapter is free again),
  // then opens the same port by its name: empty when it works, otherwise why
  // not; writes stay refused until an opening works.
  std::string Reopen();
  // Closes the port and opens the one `portText` names instead: empty when it
  // works (the notice of the new port in `notice`), otherwise why not, and
  // the old port is opened again.
  std::string OpenInstead(std::string_view portText, OpenedPort& opened);

 private:
  void TakeFailure();

  std::unique_ptr<Port> port_;  // null while an opening again has failed
  std::string name_;
  PortSystems systems_;
};

}  // namespace quorvane::platform
