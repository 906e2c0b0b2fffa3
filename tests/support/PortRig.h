#pragma once
// A main window on a port opened by its text, as the program opens it, through
// stand-ins of the system calls (ppdev, direct I/O, FTDI and GPIO), with an
// optional trace and the emulated module.

#include <QSettings>
#include <memory>
#include <stdexcept>
#include <string>

#include "DesktopRig.h"
#include "FakePortSystems.h"
#include "ScriptedPortChooser.h"
#include "StandardEvents.h"

namespace quorvane::testing {

class PortRig : public FakePortSystems, public DesktopRig {
 public:
  // The port's choice comes from `chooser`; what is remembered goes to a
  // settings file of the test's folder.
  // `failingAdapterWrite`: the FTDI stand-in's write call that fails, from the
  // first (0: none).
  explicit PortRig(const std::string& portText, const std::string& traceFile = {},
                   bool withModule = false, int failingAdapterWrite = 0) {
    ftdi.failingWrite = failingAdapterWrite;
    CopyStandardEvents(folder);
    CopyDemoPictures(folder);
    session::PortStackOptions options;
    if (!traceFile.empty()) options.trace = traceFile;
    if (withModule) options.module = session::ModuleOnLines::Always;
    session::PortStack::Opening opening =
        session::PortStack::Open(portText, Systems(), {sleeper, sleeper}, options);
    // The program never makes its window without a port: neither does the rig.
    if (!opening.stack) throw std::runtime_error("the port cannot be opened: " + opening.error);
    MakeWindow(std::move(opening.stack), &chooser, &settings);
    Load();
  }
  ~PortRig() { Close(); }

  ScriptedPortChooser chooser;
  QSettings settings{QString::fromStdString(folder.File("settings.ini")), QSettings::IniFormat};
};

}  // namespace quorvane::testing
