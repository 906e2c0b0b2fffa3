#pragma once
// The opening of every value change dump the programs write: the five module
// lines as 1-bit wires in the scope "lcd", time in microseconds.

namespace quorvane::testing {

inline constexpr char kVcdHeader[] =
    "$version Quorvane port trace $end\n"
    "$timescale 1 us $end\n"
    "$scope module lcd $end\n"
    "$var wire 1 a SCLK $end\n"
    "$var wire 1 b SDA $end\n"
    "$var wire 1 c DC $end\n"
    "$var wire 1 d CS $end\n"
    "$var wire 1 e RESET $end\n"
    "$upscope $end\n"
    "$enddefinitions $end\n";

}  // namespace quorvane::testing
