#include "platform/ports/PortFactory.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "global/HexText.h"
#include "platform/ports/PlatformPorts.h"
#include "platform/ports/adapters/AdapterAddresses.h"
#include "platform/ports/adapters/FtdiPort.h"
#include "platform/ports/adapters/GpioPort.h"
#include "platform/ports/parallel/InpoutPort.h"
#include "platform/ports/parallel/IoPort.h"

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
    "auto, sim, ppdev, ppdev:/dev/parportN, io, io:BASE, inpout32, ftdi, ftdi:VID:PID[:INDEX], "
    "ftdi...@RATE or gpio:CHIP:L0,L1,L2,L3,L4";

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

OpenedPort OpenPpdev(const PortSystems& systems, const std::string& path) {
  PpdevOpening opening = OpenPlatformPpdev(systems.ppdev, path, systems.sleeper);
  const bool shared = opening.shared;
  const std::string with = opening.sharedWith;
  OpenedPort opened = FromOpening(std::move(opening), "ppdev:" + path);
  if (opened.port && shared) {
    opened.notice = opened.name + " is shared with " + with +
                    ": the port is claimed the shared way, and that driver waits for it until "
                    "this program lets it go.";
  }
  return opened;
}

// Hex digits, with or without "0x", as every port document gives a base
// (378, 0x378, E800); from 1 to the highest base.
std::optional<std::uint16_t> ReadIoBase(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty()) return std::nullopt;
  unsigned long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
  if (error != std::errc{} || stop != end) return std::nullopt;
  if (value < 1 || value > IoPort::kHighestBase) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

OpenedPort OpenIo(IoSystem* system, std::uint16_t base) {
  if (system == nullptr) return Failed("direct port I/O (io) is not available on this platform");
  return FromOpening(IoPort::Open(*system, base), "io:" + global::HexNumber(base));
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
  FtdiPort::Opening opening = FtdiPort::Open(systems.ftdi(), address, systems.clock);
  if (!opening.port) return Failed(std::move(opening.error));
  OpenedPort opened;
  opened.port = std::move(opening.port);
  opened.name = FtdiPortText(opening.id, address.index, address.rate);
  opened.notice = "Writing to the " + opening.device + " in bit-bang mode at the rate " +
                  std::to_string(address.rate) + " (" +
                  std::to_string(kFtdiWritesPerRate * address.rate) +
                  " writes a second on an FT232R); it has no pins for the control register, so "
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
      systems.inpout ? OpenInpout(systems) : OpenPpdev(systems, kDefaultPpdevDevice);
  if (opened.port) return opened;
  return Simulated("No parallel port could be used (" + opened.error +
                   "); port writes go to the simulated port.");
}

}  // namespace

PortSystems RealPortSystems() {
  static ThreadSleeper sleeper;
  PortSystems systems = PlatformPortSystems();
  systems.sleeper = &sleeper;
#if defined(QUORVANE_HAS_LIBFTDI1)
  systems.ftdi = [] { return std::make_unique<LibFtdiSystem>(); };
#endif
#if defined(QUORVANE_HAS_LIBGPIOD)
  systems.gpio = [] { return std::make_unique<LibGpiodSystem>(); };
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
  if (portText == "ppdev") return OpenPpdev(systems, kDefaultPpdevDevice);
  if (portText.starts_with(kPpdevPrefix)) {
    const std::string path(portText.substr(kPpdevPrefix.size()));
    if (path.empty()) return UsageError("'ppdev:' names no device; give it as ppdev:/dev/parportN");
    return OpenPpdev(systems, path);
  }
  if (portText == "io") return OpenIo(systems.io, IoPort::kDefaultBase);
  if (portText.starts_with(kIoPrefix)) {
    const std::string_view baseText = portText.substr(kIoPrefix.size());
    const std::optional<std::uint16_t> base = ReadIoBase(baseText);
    if (!base) {
      return UsageError("the io base '" + std::string(baseText) +
                        "' is not understood; give it in hex, with or without 0x (io:378, "
                        "io:0xE800), from 1 to FFFD");
    }
    return OpenIo(systems.io, *base);
  }
  if (portText == "inpout32") return OpenInpout(systems);
  constexpr std::string_view kFtdiRatePrefix = "ftdi@";
  if (portText == "ftdi") return OpenFtdi(systems, {{FtdiPort::kFt232r, FtdiPort::kFt232h}, 0});
  if (portText.starts_with(kFtdiRatePrefix)) {
    const ParsedFtdiRate parsed = ParseFtdiRate(portText.substr(kFtdiRatePrefix.size()));
    if (!parsed.error.empty()) return UsageError(parsed.error);
    return OpenFtdi(systems, {{FtdiPort::kFt232r, FtdiPort::kFt232h}, 0, parsed.rate});
  }
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

std::string ChoosePortText(std::optional<std::string> commandLine, const char* environmentValue,
                           std::string otherwise) {
  if (commandLine) return std::move(*commandLine);
  if (environmentValue != nullptr && *environmentValue != '\0') return environmentValue;
  return otherwise;
}

}  // namespace quorvane::platform
