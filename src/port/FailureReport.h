#pragma once
// The sentences that report a failed port or trace, the same in both fronts:
// which port, why, what was being sent and how far it got.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::platform {
struct TraceStop;
}

namespace quorvane::port {

class OutputPort;

// Digits in groups of three: 9072 gives "9,072".
std::string GroupedNumber(std::uint64_t number);

// Of the writes handed to the port since writesAtStart (OutputPort::Writes),
// those that went out: all of them, or all but the ones a failed port did not
// send.
std::uint64_t WritesThatWentOut(const OutputPort& output, std::uint64_t writesAtStart);

// "The port ftdi:0403:6001 failed after 2,310 of 9,072 writes of the picture:
// the adapter was unplugged." Without a planned count: "failed after 2,310
// writes of the picture series: ...".
std::string PortFailedSentence(std::string_view portName, std::string_view what,
                               std::uint64_t wentOut, std::optional<std::uint64_t> planned,
                               std::string_view reason);

// "The port ppdev:/dev/parport0 cannot be opened again: no parallel port at
// /dev/parport0. Nothing was sent."
std::string ReopenFailedSentence(std::string_view portName, std::string_view error);

// "The trace stopped at write 1,235: the trace file 'x.csv' could not be
// written (No space left on device). The port writes go on without it."
std::string TraceStoppedSentence(const platform::TraceStop& stop);

}  // namespace quorvane::port
