// The main window's three menu items.

#include "events/EventCatalogue.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/WebPage.h"
#include "ui/main/frmAbout.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {

void frmELCD::mnuDefs_Click() {
  {
    frmDefs editor(engine_.global, services_.messages, this);
    editor.exec();
  }
  // Saved changes to the standard events and new events take effect at once.
  FillEventList(events::InitEvents(engine_.global).catalogue);
}

void frmELCD::mnuWeb_Click() {
  services_.shell.Open(this, kWebPageAddress, platform::Shell::kShowMaximized);
}

void frmELCD::mnuAbout_Click() {
  frmAbout about(services_.shell, this);
  about.exec();
}

}  // namespace quorvane::ui
