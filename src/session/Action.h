#pragma once
// The things a user asks for, in both programs: the start-up sequence, the
// reset event, a command, data or init list, a named event, the power switch,
// "Do 0", the shut-down writes, a picture and the picture series.

#include <cstddef>
#include <string>

namespace quorvane::session {

enum class ActionKind {
  Startup,
  Reset,
  Command,
  Data,
  Init,
  Event,
  PowerOn,
  PowerOff,
  Zero,
  Shutdown,
  Image,
  Series
};

struct Action {
  ActionKind kind;
  // The value list (Command, Data, Init); the event's name (Event: empty runs
  // the event chosen before, as the main window's "Send selected event"
  // does); the picture file (Image: empty sends the picture the surface holds).
  std::string argument;
};

// A value list goes out byte by byte: through the command event (Command,
// Init) or the data event (Data).
bool IsValueList(ActionKind kind);
bool IsCommandList(ActionKind kind);

// The bytes of a value list, its delay items left out.
std::size_t ByteCount(const std::string& list);

// How quorvane-send names an action in what it prints: "command list
// \"33, 255\"", "reset event", "picture series".
std::string ActionName(const Action& action);

// How the desktop program names it in its messages: "the command list", "the
// reset event", "the picture series".
std::string ActionTitle(const Action& action);

// The standard event an action runs through ("0.evnt", "1.evnt", "2.evnt"),
// or null.
const char* StandardEventOf(ActionKind kind);

}  // namespace quorvane::session
