#pragma once
// The report of the emulated module's panel that quorvane-send prints and
// saves after all actions: --panel-png and --panel-state, judged by
// --panel-glass-threshold.

#include <iosfwd>

namespace quorvane::module {
class Pcd8544;
}

namespace quorvane::cli {

struct SendOptions;

// False when the picture could not be written (the reason goes to err).
bool WritePanelReport(const module::Pcd8544& module, const SendOptions& options, std::ostream& out,
                       std::ostream& err);

}  // namespace quorvane::cli
