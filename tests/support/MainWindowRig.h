#pragma once
// A main window on the simulated port (with the emulated module on its lines
// when asked for), its program folder holding copies of the shipped standard
// events; the rest of DesktopRig's stand-ins.

#include <utility>

#include "DesktopRig.h"
#include "StandardEvents.h"
#include "WireDecoder.h"
#include "platform/ports/SimPort.h"

namespace quorvane::testing {

class MainWindowRig : public DesktopRig {
 public:
  explicit MainWindowRig(bool load = true, bool withModule = false) {
    CopyStandardEvents(folder);
    session::PortStackOptions options;
    if (withModule) options.module = session::ModuleOnLines::Always;
    MakeWindow(std::move(session::PortStack::Over(port, {}, {sleeper, sleeper}, options).stack));
    if (load) Load();
  }
  ~MainWindowRig() { Close(); }

  // The data-register bytes written since the last Clear, and the bytes they
  // carried on the wire ("c33", "d7"); `previous`: the lines before them.
  std::vector<std::uint8_t> DataWrites() const { return port.ValuesAt(0x378); }
  std::vector<std::string> SentBytes(std::uint8_t previous = 0) const {
    return DecodeWire(DataWrites(), previous);
  }
  void Clear() {
    port.Clear();
    sleeper.requests.clear();
  }

  platform::SimPort port;
};

}  // namespace quorvane::testing
