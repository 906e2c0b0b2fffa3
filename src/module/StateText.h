#pragma once
// The emulated module's state in words: lines for a window, key=value lines
// and the decoded log for scripts.

#include <string>

#include "module/Glass.h"
#include "module/ShownDots.h"

namespace quorvane::module {

class Pcd8544;

// "active, inverse video, horizontal, basic set, X = 0, Y = 0, Vop = 72
// (7.38 V), bias 5 (n = 2), TC 1 (not modelled)"; VLCD reads 0 V with the
// generator off (Vop 0 or power-down), and a voltage out of the chip's rating
// says so ("Vop = 127 (10.68 V, exceeds the 8.5 V rating)").
std::string StateLine(const ControllerState& state);
// The state line's two halves: the registers up to Y, and from Vop on.
std::string RegistersLine(const ControllerState& state);
std::string VoltageLine(const ControllerState& state);

// "on dots 1.40 V rms, off dots 1.21 V rms, ratio 1.156, glass threshold
// 1.20 V: readable on glass of 1.14 to 1.27 V"; "too faint", "too dark" or
// "poor contrast" when that is what the glass shows, with "(bias n for 1:48
// is 4)" under another bias, then the glasses the drive reads on ("; readable
// on glass of 1.38 to 1.50 V", or "on no glass of 0.50 to 3.00 V"); "glass not
// driven: VLCD 0 V" with the generator off.
std::string GlassLine(const ControllerState& state, const Glass& glass);

// What the module window shows, in three lines: the state line broken before
// Vop, then the glass line. Without supply, or before the first reset since
// power-on, the first line says so and the glass line says nothing shows.
std::string StateLines(const Pcd8544& module, const Glass& glass);

// supply=, reset=, power=, display=, addressing=, instruction-set=, x=, y=,
// vop=, vlcd=, vlcd-rating=, bias=, bias-n=, temperature-coefficient=,
// on-rms=, off-rms=, on-off-ratio=, glass-threshold=, contrast=,
// readable-glass= (the lowest and highest threshold that read, or none), mounting=,
// pending-bits=, then log-entries= with the number of entries, and the
// decoded log, one entry a line (after a line that counts the entries no
// longer kept, if any).
std::string StateReport(const Pcd8544& module, Mounting mounting, const Glass& glass = {});

const char* DisplayModeName(DisplayMode mode);
const char* ContrastName(Contrast contrast);

}  // namespace quorvane::module
