#include "app/DesktopPort.h"

#include <QStringList>
#include <ostream>

#include "platform/desktop/MessageBoxes.h"
#include "ui/port/PortChooser.h"

namespace quorvane::app {
namespace {

constexpr const char* kTitle = "Quorvane";

// The sentence as a box shows it: a capital and a full stop.
QString Sentence(const std::string& text) {
  QString sentence = QString::fromStdString(text);
  if (!sentence.isEmpty()) sentence[0] = sentence[0].toUpper();
  if (!sentence.endsWith('.')) sentence += '.';
  return sentence;
}

}  // namespace

DesktopPort OpenDesktopPort(DesktopPortRequest request, const platform::PortSystems& systems,
                            const session::RealWaits& waits, platform::MessageBoxes& messages,
                            ui::PortChooser& chooser, std::ostream& err) {
  using Icon = platform::MessageBoxes::Icon;
  DesktopPort result;
  // The emulated module reads the lines whatever the port: with a real port
  // its window shows what the module there should show.
  session::PortStackOptions options{request.trace, false, session::ModuleOnLines::Always};
  for (;;) {
    session::PortStack::Opening opening =
        session::PortStack::Open(request.portText, systems, waits, options);
    if (opening.stack) {
      result.stack = std::move(opening.stack);
      result.portText = request.portText;
      return result;
    }
    err << "quorvane: " << opening.error << '\n';
    if (!request.askTheUser) {
      result.status = opening.usageError ? 2 : 1;
      return result;
    }
    if (opening.traceFailed) {
      // The port itself opened: the program can go on with it, untraced.
      const int answer = messages.AskChoice(
          nullptr, Sentence(opening.error) + "\nThe program can go on without the trace.",
          Icon::Critical, kTitle, {"Go on without the trace", "Quit"}, 1);
      if (answer != 0) {
        result.status = 1;
        return result;
      }
      options.trace.reset();
      continue;
    }
    const int answer = messages.AskChoice(
        nullptr,
        Sentence(opening.error) +
            "\nThe program can go on with the simulated port (nothing leaves the computer), "
            "or with another port.",
        Icon::Critical, kTitle, {"Simulated port", "Choose port...", "Quit"}, 2);
    if (answer == 0) {
      request.portText = "sim";
      result.chosen = false;
    } else if (answer == 1) {
      if (const auto chosen = chooser.ChoosePort(nullptr, request.portText)) {
        request.portText = *chosen;
        result.chosen = true;
      }
    } else {
      result.status = 1;
      return result;
    }
  }
}

}  // namespace quorvane::app
