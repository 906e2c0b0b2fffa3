#pragma once
// How many port writes a send makes, so that a report of a failed port can say
// how far the send got ("after 2,310 of 9,072 writes").

#include <cstdint>
#include <string_view>

#include "global/Global.h"

namespace quorvane::events {

// One run of the event: one write per "SB" and "DL" step, sixteen per "TX"
// step, none for a step that is skipped. The number does not depend on the
// byte sent; it is found by running the event against a port that keeps
// nothing, without waiting.
std::uint64_t WritesPerRun(const global::StepArray& Commands);

// A value list sent through the command event (IsCommand) or the data event;
// 0 for a list that is refused.
std::uint64_t WritesOfValueList(const global::Global& global, std::string_view myData,
                                bool IsCommand);

}  // namespace quorvane::events
