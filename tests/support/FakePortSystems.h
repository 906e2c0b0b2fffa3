#pragma once
// Stand-ins for every system layer a port opens through: ppdev, direct I/O,
// and the FTDI and GPIO libraries.

#include "FakeFtdiSystem.h"
#include "FakeGpioSystem.h"
#include "FakeIoSystem.h"
#include "FakePpdevSystem.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::testing {

struct FakePortSystems {
  platform::PortSystems Systems() { return {ppdev, &io, ftdi.Factory(), gpio.Factory()}; }

  FakePpdevSystem ppdev;
  FakeIoSystem io;
  FtdiScript ftdi;
  GpioScript gpio;
};

}  // namespace quorvane::testing
