#include "ui/main/WebPage.h"

#include <QString>

#include "platform/desktop/MessageBoxes.h"
#include "platform/desktop/Shell.h"

namespace quorvane::ui {

void OpenWebPage(QWidget* owner, platform::Shell& shell, platform::MessageBoxes& messages) {
  if (shell.Open(owner, kWebPageAddress, platform::Shell::kShowMaximized)) return;
  messages.MsgBox(owner,
                  QString("The web page cannot be opened: no web browser could be started.\n\n"
                          "Its address:\n") +
                      kWebPageAddress,
                  platform::MessageBoxes::Icon::Warning, "Quorvane");
}

}  // namespace quorvane::ui
