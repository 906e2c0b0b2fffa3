#pragma once
// What every main-window rig holds: a program folder of the test's own, a
// sleeper that records, message boxes and shell that show nothing, scripted
// file dialogs, and the window over the port stack the rig opens. Each rig
// closes the window and drops it and the stack in its own destructor, while
// the port the stack writes to still stands.

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

#include "Lamps.h"
#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "RecordingSleeper.h"
#include "ScriptedCommonDialogs.h"
#include "TempFolder.h"
#include "session/PortStack.h"
#include "ui/editor/frmDefs.h"
#include "ui/main/frmELCD.h"

namespace quorvane::testing {

class DesktopRig {
 public:
  DesktopRig(const DesktopRig&) = delete;
  DesktopRig& operator=(const DesktopRig&) = delete;

  void Load() {
    window->Form_Load();
    window->show();
  }
  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
  QString Lamps() const { return ShownLamps(*window); }
  // Opens the event editor from the menu and, while it is up (it is modal),
  // runs `act` on it and closes it. False when no editor came up.
  bool EditEvents(const std::function<void(ui::frmDefs&)>& act) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* editor = qobject_cast<ui::frmDefs*>(QApplication::activeModalWidget());
      if (editor == nullptr) return;
      act(*editor);
      ran = true;
      editor->close();
    });
    window->mnuDefs_Click();
    return ran;
  }

  TempFolder folder;
  RecordingSleeper sleeper;
  std::unique_ptr<session::PortStack> stack;
  RecordingMessageBoxes messages;
  RecordingShell shell;
  ScriptedCommonDialogs dialogs;
  std::unique_ptr<ui::frmELCD> window;

 protected:
  DesktopRig() = default;
  ~DesktopRig() = default;

  void MakeWindow(std::unique_ptr<session::PortStack> opened, ui::PortChooser* chooser = nullptr,
                  QSettings* settings = nullptr) {
    stack = std::move(opened);
    window = std::make_unique<ui::frmELCD>(ui::DesktopServices{
        *stack, messages, shell, dialogs, folder.Path().string(), chooser, settings});
  }
  // Closes the window, unless it has shut down, then drops it and the stack.
  void Close() {
    if (window && !window->IsShutDown()) window->close();
    window.reset();
    stack.reset();
  }
};

}  // namespace quorvane::testing
