#include "cli/SendStop.h"

#include <ostream>

#include "global/CountText.h"
#include "platform/StopSignal.h"
#include "session/Session.h"

namespace quorvane::cli {

int EndStoppedRun(const StoppedAction& stopped, session::Session& session, std::ostream& out,
                  std::ostream& err) {
  out << stopped.name << ": stopped " << stopped.progress << ", "
      << global::CountText(stopped.writes, "port write", "port writes") << ", waited "
      << stopped.waitedMs << " ms\n";
  const bool shutdown = stopped.shutdownAsked && !session.PortFailed();
  if (shutdown) session.RunToEnd({session::ActionKind::Shutdown, {}});
  // The write the stop kept from going out is not counted: the stop comes
  // before the write is made.
  out << "stopped by " << platform::StopSignalName() << ": "
      << global::CountText(session.WritesThatWentOut(), "port write", "port writes") << " went out"
      << (shutdown ? ", the shut-down writes last" : "") << '\n';
  err << "quorvane-send: stopped by " << platform::StopSignalName() << " during " << stopped.name
      << ", " << stopped.progress << "; ";
  if (shutdown) {
    err << "the shut-down writes followed (--shutdown): all lines low, control register 0\n";
  } else {
    err << "the lines keep their levels (the shut-down writes follow a stop only when --shutdown "
           "is among the actions)\n";
  }
  if (session.PortFailed()) {
    err << "quorvane-send: the port failed as the run stopped: "
        << session.Engine().output.Port().Failure().reason << '\n';
  }
  return platform::StopExitStatus();
}

}  // namespace quorvane::cli
