#pragma once
// The emulated module's state in words: one line for a window, key=value
// lines and the decoded log for scripts.

#include <string>

#include "module/Panel.h"

namespace quorvane::module {

class Pcd8544;

// "active, inverse video, horizontal, basic set, X = 0, Y = 0,
// Vop = 72 (7.38 V), bias 5, TC 1"; an out-of-range voltage says what the
// glass does ("Vop = 30 (4.86 V, too low: faint)").
std::string StateLine(const ControllerState& state);

// power=, display=, addressing=, instruction-set=, x=, y=, vop=, vlcd=,
// contrast=, bias=, temperature-coefficient=, mounting=, pending-bits=, then
// log-entries= with the number of entries, and the decoded log, one entry a
// line (after a line that counts the entries no longer kept, if any).
std::string StateReport(const Pcd8544& module, Mounting mounting);

const char* DisplayModeName(DisplayMode mode);
const char* ContrastName(Contrast contrast);

}  // namespace quorvane::module
