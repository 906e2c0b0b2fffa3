#include "session/Action.h"

#include "events/ValueList.h"

namespace quorvane::session {
namespace {

struct ActionNames {
  const char* name;   // quorvane-send's; the argument follows in quotes or after a blank
  const char* title;  // the desktop program's
};

ActionNames NamesOf(ActionKind kind) {
  switch (kind) {
    case ActionKind::Startup:
      return {"startup", "the start-up"};
    case ActionKind::Reset:
      return {"reset event", "the reset event"};
    case ActionKind::Command:
      return {"command list", "the command list"};
    case ActionKind::Data:
      return {"data list", "the data list"};
    case ActionKind::Init:
      return {"init sequence", "the init sequence"};
    case ActionKind::Event:
      return {"event", "the selected event"};
    case ActionKind::PowerOn:
      return {"power on", "the power-on sequence"};
    case ActionKind::PowerOff:
      return {"power off", "the power-off sequence"};
    case ActionKind::Zero:
      return {"Do 0", "Do 0"};
    case ActionKind::Shutdown:
      return {"shutdown", "the shut-down"};
    case ActionKind::Image:
      return {"picture", "the picture"};
    case ActionKind::Series:
      return {"picture series", "the picture series"};
  }
  return {"", ""};
}

}  // namespace

bool IsValueList(ActionKind kind) {
  return kind == ActionKind::Command || kind == ActionKind::Data || kind == ActionKind::Init;
}

bool IsCommandList(ActionKind kind) {
  return kind == ActionKind::Command || kind == ActionKind::Init;
}

std::size_t ByteCount(const std::string& list) {
  std::size_t bytes = 0;
  for (const auto& item : events::ParseValueList(list).items) bytes += item.isDelay ? 0 : 1;
  return bytes;
}

std::string ActionName(const Action& action) {
  const std::string name = NamesOf(action.kind).name;
  if (IsValueList(action.kind)) return name + " \"" + action.argument + "\"";
  if (action.kind == ActionKind::Event || action.kind == ActionKind::Image) {
    return name + " " + action.argument;
  }
  return name;
}

std::string ActionTitle(const Action& action) {
  return NamesOf(action.kind).title;
}

const char* StandardEventOf(ActionKind kind) {
  switch (kind) {
    case ActionKind::Reset:
      return "0.evnt";
    case ActionKind::Command:
    case ActionKind::Init:
      return "1.evnt";
    case ActionKind::Data:
      return "2.evnt";
    default:
      return nullptr;
  }
}

}  // namespace quorvane::session
