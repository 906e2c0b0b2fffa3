#pragma once
// What the desktop program keeps of the port between runs (QSettings): the
// port the user chose last, and the notices already shown.
//
// The notice that writes go to the simulated port because no parallel port
// could be used is a message box the first time on this machine for a port
// choice, and again only when its reason changes. From then on the port is
// named where it stays in view (the module window's state line, the tooltip of
// the power box).

#include <optional>
#include <string>

class QSettings;

namespace quorvane::ui {

// True when the box is to be shown for this port choice ("auto") and notice;
// the setting then remembers it.
bool TakeSimulatedPortNotice(QSettings& settings, const std::string& portChoice,
                             const std::string& notice);

// The port text the user chose last, if any; --port and QUORVANE_PORT win
// over it.
std::optional<std::string> RememberedPort(const QSettings& settings);
void RememberPort(QSettings& settings, const std::string& portText);

}  // namespace quorvane::ui
