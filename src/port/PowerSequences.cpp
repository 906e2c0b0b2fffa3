#include "port/PowerSequences.h"

#include "global/Global.h"
#include "platform/Sleeper.h"
#include "port/OutputPort.h"

namespace quorvane::port {

// The sequences stop at a failed write: the waits after it do not happen.
void PowerOn(global::Global& global, OutputPort& output, platform::Sleeper& sleeper) {
  global.OutputByte = 0xFF;
  output.WriteControl(0x00);
  if (output.Failed()) return;
  sleeper.Sleep(50);
  global.OutputByte = output.Low(global.OutputByte, kResetLine, true);
  if (output.Failed()) return;
  sleeper.Sleep(500);
  global.OutputByte = output.High(global.OutputByte, kResetLine, true);
}

void PowerOff(global::Global& global, OutputPort& output) {
  output.WriteControl(0xFF);
  global.OutputByte = 0;
  output.WriteDataDirect(0);
}

void DoZero(global::Global& global, OutputPort& output) {
  global.OutputByte = 0;
  global.OutputByte = output.Low(global.OutputByte, kResetLine, true);
}

void StartupRaiseReset(global::Global& global, OutputPort& output, platform::Sleeper& sleeper) {
  global.OutputByte = 0;
  sleeper.Sleep(500);
  global.OutputByte = output.High(global.OutputByte, kResetLine, true);
  output.WriteControl(0xFF);
}

void ShutdownWrites(OutputPort& output) {
  output.WriteDataDirect(0);
  output.WriteControl(0);
}

}  // namespace quorvane::port
