#include "events/ByteWriter.h"

#include "events/EventInterpreter.h"
#include "events/ValueList.h"
#include "global/Diagnostics.h"
#include "global/Global.h"
#include "platform/Sleeper.h"

namespace quorvane::events {

void ByteWriter::WriteDataWithEvent(bool IsCommand, std::uint8_t myValue, bool DontUpdateForm) {
  interpreter_.ExecuteEvent(IsCommand ? global_.CommandEventSteps : global_.DataEventSteps, myValue,
                            DontUpdateForm);
}

bool ByteWriter::PortFailed() const {
  return interpreter_.PortFailed();
}

bool ByteWriter::MultiDataWrite(const std::string& myData, bool IsCommand) {
  const ValueList list = ParseValueList(myData);
  if (list.Refused()) {
    diagnostics_.Report("The list was not sent: " + list.error);
    return false;
  }
  for (const ValueItem& item : list.items) {
    if (interpreter_.PortFailed()) break;  // no item after a failed write
    if (item.isDelay) {
      if (!item.note.empty()) diagnostics_.Report(item.note);
      sleeper_.Sleep(item.milliseconds);
    } else {
      WriteDataWithEvent(IsCommand, item.byte, false);
    }
  }
  return true;
}

}  // namespace quorvane::events
