#pragma once
// The command line of quorvane-send: options, and actions in the order given.

#include <optional>
#include <string>
#include <vector>

#include "image/Threshold.h"
#include "module/ShownDots.h"
#include "session/Action.h"

namespace quorvane::cli {

using session::ActionKind;
// The value list, event name or picture file, where the action takes one.
using SendAction = session::Action;

struct SendOptions {
  std::optional<std::string> port;
  std::optional<std::string> folder;
  std::optional<std::string> trace;
  bool virtualTime = false;
  int threshold = image::kStartThresholdPosition;  // the threshold slider's position
  bool help = false;
  std::vector<SendAction> actions;
  // After all actions: what the emulated module shows, as a PNG and as text.
  std::optional<std::string> panelPng;
  std::optional<int> panelScale;                  // 1 when not given
  std::optional<module::Mounting> panelMounting;  // kDefaultMounting when not given
  std::optional<double> panelGlassThreshold;      // kDefaultGlassThreshold when not given
  bool panelState = false;
  bool WantsPanel() const { return panelPng.has_value() || panelState; }
};

struct ParsedSendOptions {
  SendOptions options;
  std::string error;  // a usage error, or a value list that is refused
};

// Options may stand anywhere; "--name value" and "--name=value" are the same.
// Every value list is read here, so a refused list stops the run before
// anything is sent.
ParsedSendOptions ParseSendOptions(const std::vector<std::string>& args);

// The text of --help.
std::string SendUsage();

}  // namespace quorvane::cli
