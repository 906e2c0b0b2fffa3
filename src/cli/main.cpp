// quorvane-send: the headless front of the engine, for scripts and tests.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/SendCommand.h"
#include "platform/Sleeper.h"
#include "platform/StopAwareSleeper.h"
#include "platform/StopSignal.h"
#include "platform/files/CommandLine.h"
#include "platform/folders/ProgramFolderChoice.h"
#include "platform/ports/PortFactory.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = quorvane::platform::CommandLineArguments(argc, argv);
  // A stop signal ends the run at the next byte boundary.
  quorvane::platform::InstallStopSignals();
  const quorvane::platform::PortSystems systems = quorvane::platform::RealPortSystems();
  quorvane::platform::StopAwareSleeper sleeper;
  quorvane::platform::ThreadSleeper wholeSleeper;
  const quorvane::platform::FolderPlaces places = quorvane::platform::ProcessFolderPlaces();
  const quorvane::cli::SendEnvironment environment{places.executableFolder,
                                                   std::getenv("QUORVANE_PORT"),
                                                   &systems,
                                                   &sleeper,
                                                   &places,
                                                   &wholeSleeper};
  return quorvane::cli::RunSend(args, environment, std::cout, std::cerr);
}
