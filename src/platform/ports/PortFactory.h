#pragma once
// Turns the port the user asked for (--port or QUORVANE_PORT) into an open
// port: the simulated one, a hardware backend, or the reason neither can be had.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Sleeper.h"
#include "platform/ports/Port.h"
#include "platform/ports/SimPort.h"
#include "platform/ports/adapters/FtdiSystem.h"
#include "platform/ports/adapters/GpioSystem.h"
#include "platform/ports/parallel/InpoutSystem.h"
#include "platform/ports/parallel/IoSystem.h"
#include "platform/ports/parallel/PpdevSystem.h"

namespace quorvane::platform {

// The system calls the hardware backends go through.
struct PortSystems {
  PpdevSystem& ppdev;
  IoSystem* io;  // null where direct port I/O is not available
  // Make the library layer for one USB adapter or GPIO chip; empty where the
  // program was built without libftdi1 or libgpiod.
  std::function<std::unique_ptr<FtdiSystem>()> ftdi = {};
  std::function<std::unique_ptr<GpioSystem>()> gpio = {};
  // Make the layer of the inpout32 driver DLL; empty outside Windows.
  std::function<std::unique_ptr<InpoutSystem>()> inpout = {};
  // The parallel-port devices of ppdev that exist ("/dev/parport0", ...);
  // empty outside Linux.
  std::function<std::vector<std::string>()> parallelDevices = {};
  // The waits of an opening (ppdev waiting, bounded, for a driver that holds
  // the port); null: an opening does not wait.
  Sleeper* sleeper = nullptr;
  // The clock a backend that clocks its writes out at its own pace (FTDI)
  // reckons by when its pins catch up: the one its waits go through. Null:
  // its own real time.
  const Clock* clock = nullptr;
};

// The real system calls of this platform.
PortSystems RealPortSystems();

struct OpenedPort {
  std::unique_ptr<Port> port;  // null when opening failed
  SimPort* sim = nullptr;      // set when the writes go to the simulated port (owned by `port`)
  // The port text that opens this same port again, and names it in messages:
  // "sim", "ppdev:/dev/parport0" (also when auto chose it), "io:0x378",
  // "inpout32", "ftdi:0403:6001", "gpio:gpiochip0:17,27,22,23,24".
  std::string name;
  // Plain words to show the user once: auto fell back to the simulated port,
  // or what a backend leaves out.
  std::string notice;
  std::string error;  // why the named backend could not be opened (names the device and reason)
  bool usageError = false;  // the port text itself is not understood (caller exits with status 2)
};

// Accepted forms:
//   sim                      the simulated port
//   auto                     ppdev on /dev/parport0 when it can be claimed (on Windows:
//                            inpout32 when its driver is loaded), else the
//                            simulated port with a notice (never tries io)
//   ppdev, ppdev:/dev/...    the Linux ppdev driver, /dev/parport0 by default
//   io, io:378, io:0xE800    direct port I/O at a base in hex, with or without 0x
//                            (io:888 is 0x888), 1 to FFFD, 0x378 by default (x86
//                            Linux); refused where no port answers
//   inpout32                 the inpout32 driver DLL (Windows)
//   ftdi, ftdi:VID:PID[:N]   an FTDI USB adapter in bit-bang mode (libftdi1); the
//                            first FT232R or FT232H by default; no control register;
//   ftdi@R, ftdi:VID:PID@R   at the bit-bang rate R (kDefaultFtdiRate otherwise)
//   gpio:CHIP:L0,L1,L2,L3,L4 five Linux GPIO lines as D0 to D4 (libgpiod); no bits 5
//                            to 7, no control register
// auto never picks ftdi or gpio.
// A named backend that fails gives an error, never the simulated port.
OpenedPort OpenPort(std::string_view portText, const PortSystems& systems);

// The port text to use: the --port value when given, else the environment's
// QUORVANE_PORT when set and not empty, else `otherwise` (the port the user
// chose last, where the program remembers one).
std::string ChoosePortText(std::optional<std::string> commandLine, const char* environmentValue,
                           std::string otherwise = "auto");

}  // namespace quorvane::platform
