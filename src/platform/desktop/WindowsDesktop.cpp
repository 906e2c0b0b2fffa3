#include "platform/desktop/Desktop.h"

#include <windows.h>

#include <QWidget>

#include "platform/desktop/Shell.h"
#include "platform/desktop/WindowsCommonDialogs.h"

namespace quorvane::platform {
namespace {

// The shell's default action (no verb) on the address: a web address opens in
// the browser the user chose.
class WindowsShell final : public Shell {
 public:
  bool Open(QWidget* owner, const QString& address, int showCommand) override {
    const HWND window =
        owner != nullptr ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    const QByteArray file = address.toLocal8Bit();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(window, nullptr, file.constData(), nullptr, "", showCommand));
    // Values above 32 mean that something was started.
    return result > 32;
  }
};

// The position of the Close item in a standard system menu: Restore, Move,
// Size, Minimize, Maximize, a separator, Close.
constexpr UINT kCloseItemPosition = 6;

}  // namespace

std::unique_ptr<CommonDialogs> PlatformCommonDialogs() {
  return std::make_unique<WindowsCommonDialogs>();
}

std::unique_ptr<Shell> PlatformShell() {
  return std::make_unique<WindowsShell>();
}

void RemoveSystemMenuClose(QWidget* window) {
  const HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
  if (menu != nullptr) RemoveMenu(menu, kCloseItemPosition, MF_BYPOSITION);
}

}  // namespace quorvane::platform
