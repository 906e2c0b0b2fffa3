#pragma once
// The notice that writes go to the simulated port because no parallel port
// could be used: a message box the first time on this machine for a port
// choice, and again only when its reason changes; a setting remembers what was
// shown. From then on the port is named where it stays in view (the module
// window's state line, the tooltip of the power box).

#include <string>

class QSettings;

namespace quorvane::ui {

// True when the box is to be shown for this port choice ("auto") and notice;
// the setting then remembers it.
bool TakeSimulatedPortNotice(QSettings& settings, const std::string& portChoice,
                             const std::string& notice);

}  // namespace quorvane::ui
