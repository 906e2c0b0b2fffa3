#include "platform/ports/PortFactory.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "platform/ports/adapters/AdapterAddresses.h"
#include "platform/ports/adapters/FtdiPort.h"
#include "platform/ports/adapters/GpioPort.h"
#include "platform/ports/parallel/InpoutPort.h"
#include "platform/ports/parallel/IoPort.h"
#include "platform/ports/parallel/LinuxIoSystem.h"

#if defined(__linux__)
#include "platform/ports/parallel/LinuxPpdevSystem.h"
#include "platform/ports/parallel/PpdevPort.h"
#endif
#if defined(_WIN32)
#include "platform/ports/parallel/WindowsInpoutSystem.h"
#endif
#if defined(QUORVANE_HAS_LIBFTDI1)
#include "platform/ports/adapters/LibFtdiSystem.h"
#endif
#if defined(QUORVANE_HAS_LIBGPIOD)
#include "platform/ports/adapters/LibGpiodSystem.h"
#endif

namespace quorvane::platform {

namespace {

constexpr const char* kDefaultPpdevDevice = "/dev/parport0";
constexpr std::string_view kAcceptedForms =
    "auto, sim, ppdev, ppdev:/dev/parportN, io, io:0xBASE, inpout32, ftdi, ftdi:VID:PID[:INDEX] "
    "or gpio:CHIP:L0,L1,L2,L3,L4";

#if !defined(__linux__)
// Stands in for the ppdev calls where there is no ppdev driver; never called,
// as the factory reports ppdev as unavailable first.
class UnavailablePpdevSystem final : public PpdevSystem {
 public:
  int Open(const std::string&) override { return -ENOSYS; }
  int Ioctl(int, unsigned long, void*) override { return -ENOSYS; }
  void Close(int) override {}
  bool ModuleLoaded(const std::string&) override { return false; }
};
#endif

OpenedPort Simulated(std::string notice) {
  OpenedPort opened;
  // What the simulated port receives goes on to traces and the virtual module;
  // it need not keep the writes itself.
  auto sim = std::make_unique<SimPort>(false);
  opened.sim = sim.get();
  opened.port = std::move(sim);
  opened.name = "sim";
  opened.notice = std::move(notice);
  return opened;
}

OpenedPort Failed(std::string error) {
  OpenedPort opened;
  opened.error = std::move(error);
  return opened;
}

OpenedPort UsageError(std::string error) {
  OpenedPort opened = Failed(std::move(error));
  opened.usageError = true;
  return opened;
}

template <typename Opening>
OpenedPort FromOpening(Opening opening, std::string name) {
  if (!opening.port) return Failed(std::move(opening.error));
  OpenedPort opened;
  opened.port = std::move(opening.port);
  opened.name = std::move(name);
  return opened;
}

OpenedPort OpenPpdev([[maybe_unused]] PpdevSystem& system,
                     [[maybe_unused]] const std::string& path) {
#if defined(__linux__)
  return FromOpening(PpdevPort::Open(system, path), "ppdev:" + path);
#else
  return Failed("the ppdev port exists on Linux only");
#endif
}

// "0x" and hex digits, or decimal digits; from 1 to the highest base.
std::optional<std::uint16_t> ReadIoBase(std::string_view text) {
  int radix = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    radix = 16;
  }
  if (text.empty()) return std::nullopt;
  unsigned long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, radix);
  if (error != std::errc{} || stop != end) return std::nullopt;
  if (value < 1 || value > IoPort::kHighestBase) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

OpenedPort OpenIo(IoSystem* system, std::uint16_t base) {
  if (system == nullptr) return Failed("direct port I/O (io) is not available on this platform");
  char name[16];
  std::snprintf(name, sizeof name, "io:0x%X", static_cast<unsigned>(base));
  return FromOpening(IoPort::Open(*system, base), name);
}

OpenedPort OpenInpout(const PortSystems& systems) {
  if (!systems.inpout) return Failed("the inpout32 port exists on Windows only");
  InpoutPort::Opening opening = InpoutPort::Open(systems.inpout());
  std::string notice = std::move(opening.notice);
  OpenedPort opened = FromOpening(std::move(opening), "inpout32");
  if (opened.port) opened.notice = std::move(notice);
  return opened;
}

OpenedPort OpenFtdi(const PortSystems& systems, const FtdiAddress& address) {
  if (!systems.ftdi) {
    return Failed("the ftdi port needs libftdi1, and this build was made without it");
  }
  FtdiPort::Opening opening = FtdiPort::Open(systems.ftdi(), address);
  if (!opening.port) return Failed(std::move(opening.error));
  OpenedPort opened;
  opened.port = std::move(opening.port);
  opened.name = FtdiPortText(opening.id, address.index);
  opened.notice = "Writing to the " + opening.device +
                  " in bit-bang mode; it has no pins for the control register, so "
                  "control-register writes are ignored.";
  return opened;
}

OpenedPort OpenGpio(const PortSystems& systems, const GpioAddress& address) {
  if (!systems.gpio) {
    return Failed("the gpio port needs libgpiod, and this build was made without it");
  }
  GpioPort::Opening opening = GpioPort::Open(systems.gpio(), address);
  if (!opening.port) return Failed(std::move(opening.error));
  OpenedPort opened;
  opened.port = std::move(opening.port);
  opened.name = GpioPortText(address);
  opened.notice =
      "Only D0 to D4 reach the GPIO lines: bits 5 to 7 and control-register writes are ignored.";
  return opened;
}

OpenedPort OpenAuto(const PortSystems& systems) {
  // Windows reaches its parallel port through the inpout32 driver.
  OpenedPort opened =
      systems.inpout ? OpenInpout(systems) : OpenPpdev(systems.ppdev, kDefaultPpdevDevice);
  if (opened.port) return opened;
  return Simulated("No parallel port could be used (" + opened.error +
                   "); port writes go to the simulated port.");
}

}  // namespace

PortSystems RealPortSystems() {
#if defined(__linux__)
  static LinuxPpdevSystem ppdev;
#else
  static UnavailablePpdevSystem ppdev;
#endif
#if defined(QUORVANE_HAS_LINUX_IO_SYSTEM)
  static LinuxIoSystem io;
  PortSystems systems{ppdev, &io};
#else
  PortSystems systems{ppdev, nullptr};
#endif
#if defined(QUORVANE_HAS_LIBFTDI1)
  systems.ftdi = [] { return std::make_unique<LibFtdiSystem>(); };
#endif
#if defined(QUORVANE_HAS_LIBGPIOD)
  systems.gpio = [] { return std::make_unique<LibGpiodSystem>(); };
#endif
#if defined(_WIN32)
  systems.inpout = [] { return std::make_unique<WindowsInpoutSystem>(); };
#endif
  return systems;
}

OpenedPort OpenPort(std::string_view portText, const PortSystems& systems) {
  constexpr std::string_view kPpdevPrefix = "ppdev:";
  constexpr std::string_view kIoPrefix = "io:";
  constexpr std::string_view kFtdiPrefix = "ftdi:";
  constexpr std::string_view kGpioPrefix = "gpio:";
  if (portText == "sim") return Simulated({});
  if (portText == "auto") return OpenAuto(systems);
  if (portText == "ppdev") return OpenPpdev(systems.ppdev, kDefaultPpdevDevice);
  if (portText.starts_with(kPpdevPrefix)) {
    const std::string path(portText.substr(kPpdevPrefix.size()));
    if (path.empty()) return UsageError("'ppdev:' names no device; give it as ppdev:/dev/parportN");
    return OpenPpdev(systems.ppdev, path);
  }
  if (portText == "io") return OpenIo(systems.io, IoPort::kDefaultBase);
  if (portText.starts_with(kIoPrefix)) {
    const std::string_view baseText = portText.substr(kIoPrefix.size());
    const std::optional<std::uint16_t> base = ReadIoBase(baseText);
    if (!base) {
      return UsageError("the io base '" + std::string(baseText) +
                        "' is not understood; give it in hex with 0x (io:0xE800) or in decimal, "
                        "from 1 to 0xFFFD");
    }
    return OpenIo(systems.io, *base);
  }
  if (portText == "inpout32") return OpenInpout(systems);
  if (portText == "ftdi") return OpenFtdi(systems, {{FtdiPort::kFt232r, FtdiPort::kFt232h}, 0});
  if (portText.starts_with(kFtdiPrefix)) {
    const ParsedFtdiAddress parsed = ParseFtdiAddress(portText.substr(kFtdiPrefix.size()));
    if (!parsed.error.empty()) return UsageError(parsed.error);
    return OpenFtdi(systems, parsed.address);
  }
  if (portText == "gpio") {
    return UsageError(
        "'gpio' names no lines; give the chip and the lines for D0 to D4 as "
        "gpio:CHIP:L0,L1,L2,L3,L4 (gpio:gpiochip0:17,27,22,23,24)");
  }
  if (portText.starts_with(kGpioPrefix)) {
    const ParsedGpioAddress parsed = ParseGpioAddress(portText.substr(kGpioPrefix.size()));
    if (!parsed.error.empty()) return UsageError(parsed.error);
    return OpenGpio(systems, parsed.address);
  }
  return UsageError("unknown port '" + std::string(portText) + "'; use one of " +
                    std::string(kAcceptedForms));
}

std::string ChoosePortText(std::optional<std::string> commandLine, const char* environmentValue) {
  if (commandLine) return std::move(*commandLine);
  if (environmentValue != nullptr && *environmentValue != '\0') return environmentValue;
  return "auto";
}

}  // namespace quorvane::platform
