#pragma once
// The fixed port sequences of the module's power switch, "Do 0", start-up and
// exit.

namespace quorvane::global {
struct Global;
}
namespace quorvane::platform {
class Sleeper;
}

namespace quorvane::port {

class OutputPort;

// The port writes each sequence makes.
inline constexpr int kPowerOnWrites = 3;
inline constexpr int kPowerOffWrites = 2;
inline constexpr int kDoZeroWrites = 1;
inline constexpr int kStartupWrites = 2;
inline constexpr int kShutdownWrites = 2;

// Power switch turned on: control register 0x00, 50 ms, RESET pulsed low for
// 500 ms with every other line high; ends with OutputByte 0xFF.
void PowerOn(global::Global& global, OutputPort& output, platform::Sleeper& sleeper);
// Power switch turned off: control register 0xFF, then 0 straight to the data
// register; the line display keeps showing the state before.
void PowerOff(global::Global& global, OutputPort& output);
// "Do 0": every line low, written with the display updated.
void DoZero(global::Global& global, OutputPort& output);
// Start-up: 500 ms pause, RESET raised from all-low (0x10), control register 0xFF.
// The window repaints itself before calling this.
void StartupRaiseReset(global::Global& global, OutputPort& output, platform::Sleeper& sleeper);
// Exit: 0 to the data register, then 0 to the control register, no display
// work; OutputByte is left as it was.
void ShutdownWrites(OutputPort& output);

}  // namespace quorvane::port
