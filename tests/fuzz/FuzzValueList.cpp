// Value lists of any text: read whole, refused whole, or sent byte by byte
// through an event that writes each byte once.

#include "FuzzInput.h"
#include "events/ByteWriter.h"
#include "events/EventInterpreter.h"
#include "events/ValueList.h"
#include "global/Diagnostics.h"
#include "platform/Sleeper.h"
#include "platform/ports/SimPort.h"
#include "port/OutputPort.h"

namespace {

class CountingSleeper final : public quorvane::platform::Sleeper {
 public:
  void Sleep(std::uint32_t) override { ++waits; }
  std::size_t waits = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string text(fuzz::AsText(data, size));
  const events::ValueList list = events::ParseValueList(text);

  global::Global global;
  global.CommandEventSteps.fill("X");
  global.CommandEventSteps[0] = "TX, 0,SL,DH,";  // 16 writes per byte
  platform::SimPort port;
  CountingSleeper sleeper;
  global::Diagnostics diagnostics;
  port::OutputPort output(port);
  events::EventInterpreter interpreter(global, output, sleeper, diagnostics);
  events::ByteWriter writer(global, interpreter, sleeper, diagnostics);
  const bool sent = writer.MultiDataWrite(text, true);

  fuzz::Check(sent == !list.Refused());
  std::size_t bytes = 0, delays = 0;
  for (const auto& item : list.items) (item.isDelay ? delays : bytes) += 1;
  fuzz::Check(port.Writes().size() == bytes * 16);
  fuzz::Check(sleeper.waits == delays);
  if (list.Refused()) fuzz::Check(list.items.empty() && port.Writes().empty());
  return 0;
}
