#pragma once
// What the desktop program takes of the window system it runs on: its common
// file dialogs, its shell's open action, and the Close item of a window's
// system menu. On Windows these are the platform's own calls (comdlg32,
// ShellExecuteA, GetSystemMenu and RemoveMenu); elsewhere Qt stands in.

#include <memory>

class QWidget;

namespace quorvane::platform {

class CommonDialogs;
class Shell;

std::unique_ptr<CommonDialogs> PlatformCommonDialogs();
std::unique_ptr<Shell> PlatformShell();

// Removes the Close item of the window's system menu, which also disables its
// close button. On Windows: GetSystemMenu with revert false, then RemoveMenu
// of the item at position 6, by position, the Close item of a standard
// system menu.
void RemoveSystemMenuClose(QWidget* window);

}  // namespace quorvane::platform
