// The main window's three menu items.

#include "events/EventCatalogue.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/WebPage.h"
#include "ui/main/frmAbout.h"
#include "ui/main/frmELCD.h"

namespace quorvane::ui {

void frmELCD::mnuDefs_Click() {
  {
    frmDefs editor(Global(), services_.messages, this);
    editor.exec();
  }
  // Saved changes to the standard events and new events take effect at once,
  // and so do changes to the chosen event: what is sent is what the list shows.
  FillEventList(session_.ReloadEvents());
  KeepChosenEvent();
}

void frmELCD::mnuWeb_Click() {
  OpenWebPage(this, services_.shell, services_.messages);
}

void frmELCD::mnuAbout_Click() {
  frmAbout about(services_.shell, services_.messages, this);
  about.exec();
}

}  // namespace quorvane::ui
