#include "platform/ports/adapters/FtdiPort.h"

#include <algorithm>
#include <utility>

#include "global/HexText.h"

namespace quorvane::platform {

namespace {

// "FTDI adapter 0403:6001", with ":INDEX" when another than the first is meant.
std::string AdapterName(UsbId id, unsigned index) {
  std::string name = "FTDI adapter ";
  name += UsbIdText(id);
  if (index > 0) name += ':' + std::to_string(index);
  return name;
}

std::string NotFound(const FtdiAddress& address) {
  if (address.ids.size() == 1) {
    std::string text = "no " + AdapterName(address.ids.front(), address.index) + " is plugged in";
    if (address.index > 0) text += " (the index counts the adapters with that USB ID from 0)";
    return text;
  }
  std::string looked;
  for (std::size_t n = 0; n < address.ids.size(); ++n) {
    if (n > 0) looked += n + 1 == address.ids.size() ? " and " : ", ";
    looked += UsbIdText(address.ids[n]);
  }
  return "no FTDI adapter is plugged in (looked for the USB IDs " + looked +
         "; name another as ftdi:VID:PID)";
}

std::string OpenFailure(const std::string& device, int code, const std::string& words) {
  switch (code) {
    case FtdiSystem::kNoPermission:
      return "no permission to use the " + device +
             "; add a udev rule for it (see the README) and plug it in again, or run with the "
             "right permissions";
    case FtdiSystem::kConfigurationRefused:
    case FtdiSystem::kClaimRefused:
      return "the " + device + " is busy: another program or driver holds it (" + words + ")";
    case FtdiSystem::kSearchFailed:
      return "cannot look for the " + device + ": " + words;
    default:
      return "cannot open the " + device + ": " + words;
  }
}

// In plain words, from what libftdi (and libusb underneath) gave back.
std::string WriteFailure(int code, FtdiSystem& system) {
  switch (code) {
    case FtdiSystem::kUnplugged:
      return "the adapter was unplugged";
    case FtdiSystem::kDeviceUnavailable:
      return "the adapter is not open (USB device unavailable)";
    default:
      return "libftdi: " + system.ErrorString();
  }
}

}  // namespace

std::string UsbIdText(UsbId id) {
  return global::HexDigits(id.vendor, 4, global::HexCase::Lower) + ':' +
         global::HexDigits(id.product, 4, global::HexCase::Lower);
}

FtdiPort::Opening FtdiPort::Open(std::unique_ptr<FtdiSystem> system, const FtdiAddress& address,
                                 const Clock* clock) {
  for (const UsbId& id : address.ids) {
    const std::string device = AdapterName(id, address.index);
    const int opened = system->OpenAdapter(id.vendor, id.product, address.index);
    if (opened == FtdiSystem::kNoSuchAdapter) continue;
    if (opened < 0) return {nullptr, {}, OpenFailure(device, opened, system->ErrorString())};
    // From here the port closes the adapter, also when a step below fails.
    FtdiSystem& library = *system;
    auto port = std::make_unique<FtdiPort>(std::move(system), address.rate, clock);
    if (library.SetBitmode(kAllPinsOutput, kAsyncBitBangMode) < 0) {
      return {nullptr,
              {},
              "cannot switch the " + device + " to bit-bang mode: " + library.ErrorString()};
    }
    // libftdi scales the rate for bit-bang mode only once the mode is on.
    if (library.SetBaudrate(address.rate) < 0) {
      return {nullptr,
              {},
              "cannot set the bit-bang rate of the " + device + ": " + library.ErrorString()};
    }
    return {std::move(port), device, {}, id};
  }
  return {nullptr, {}, NotFound(address)};
}

FtdiPort::FtdiPort(std::unique_ptr<FtdiSystem> system, int rate, const Clock* clock)
    : system_(std::move(system)), rate_(rate), clock_(clock != nullptr ? *clock : ownClock_) {
  pending_.reserve(kBatchLimit);
}

FtdiPort::~FtdiPort() {
  Flush();
  system_->Close();
}

void FtdiPort::Out32(std::uint16_t address, std::uint8_t value) {
  if (Failed()) return;
  // A write with no pins still counts as held: when the batch it came with
  // fails, it did not reach the adapter either.
  ++heldWrites_;
  if (address != kDataRegister) return;
  pending_.push_back(value);
  if (pending_.size() >= kBatchLimit) Flush();
}

void FtdiPort::Flush() {
  if (Failed()) return;
  if (pending_.empty()) {
    heldWrites_ = 0;
    return;
  }
  // ftdi_write_data sends the whole buffer (at most one batch, one bulk
  // transfer) or fails with a negative code; it never takes a part. A write
  // that fails (the adapter was unplugged mid-run) is latched with the bytes it
  // held; they are dropped, and nothing more is written.
  const int size = static_cast<int>(pending_.size());
  const int written = system_->WriteData(pending_.data(), size);
  if (written != size) {
    Fail(WriteFailure(written, *system_), heldWrites_);
  } else {
    // Reckoned in nanoseconds, rounded up, so that transfers add up without
    // a microsecond's rounding each.
    const std::uint64_t pace = std::uint64_t{kFtdiWritesPerRate} * static_cast<unsigned>(rate_);
    const std::uint64_t nanos = (static_cast<std::uint64_t>(size) * 1000000000 + pace - 1) / pace;
    pinsDoneAtNanos_ = std::max(pinsDoneAtNanos_, clock_.NowMicros() * 1000) + nanos;
  }
  pending_.clear();
  heldWrites_ = 0;
}

std::uint64_t FtdiPort::MicrosUntilPins() const {
  const std::uint64_t now = clock_.NowMicros() * 1000;
  return pinsDoneAtNanos_ > now ? (pinsDoneAtNanos_ - now + 999) / 1000 : 0;
}

}  // namespace quorvane::platform
