#pragma once
// Stand-ins for every system layer a port opens through: ppdev, direct I/O,
// and the FTDI and GPIO libraries.

#include "FakeFtdiSystem.h"
#include "FakeGpioSystem.h"
#include "FakeIoSystem.h"
#include "FakePpdevSystem.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::testing {

// The ppdev backend is Linux's; elsewhere a ppdev port text is refused as such,
// so the cases written around its stand-in are left out there.
#ifdef __linux__
inline constexpr bool kPpdevHere = true;
#else
inline constexpr bool kPpdevHere = false;
#endif

struct FakePortSystems {
  platform::PortSystems Systems() { return {ppdev, &io, ftdi.Factory(), gpio.Factory()}; }

  FakePpdevSystem ppdev;
  FakeIoSystem io;
  FtdiScript ftdi;
  GpioScript gpio;
};

}  // namespace quorvane::testing
