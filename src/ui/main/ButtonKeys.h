#pragma once
// Return and Enter press the push button that holds the keyboard focus, as
// Space does and as on the desktops users know: Qt lets them through only for
// a dialog's default button. Installed once, for every window.

class QApplication;

namespace quorvane::ui {

void InstallButtonKeys(QApplication& application);

}  // namespace quorvane::ui
