#pragma once
// Window procedures shared by the windows: centring on the screen, and taking
// away a window's close item.

class QWidget;

namespace quorvane::ui {

// Places the window in the middle of its screen: left = screen width / 2 −
// window width / 2, top likewise, in the screen's logical units.
void CenterForm(QWidget* myForm);

// Takes the close item away from the window: the title bar shows no close
// button and a close asked for by the user (window manager, Alt+F4) is
// refused. The program itself can still close the window.
void RemoveCloseItem(QWidget* myForm);

}  // namespace quorvane::ui
