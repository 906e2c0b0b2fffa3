#pragma once
// What OutputPort asks before every write, ahead of the display step and the
// port: whether the write may go. A stop request ends a send here, so the
// lamps and trace never show a byte that was not written.

#include <cstdint>

namespace quorvane::port {

class WriteGate {
 public:
  virtual ~WriteGate() = default;
  // `writes` were made before this one. Throws (the sender's stop) to keep it
  // from being made; it is then neither shown nor counted.
  virtual void BeforeWrite(std::uint64_t writes) = 0;
};

}  // namespace quorvane::port
