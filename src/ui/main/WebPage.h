#pragma once
// The product's web addresses, and opening the web page.

class QWidget;

namespace quorvane::platform {
class MessageBoxes;
class Shell;
}  // namespace quorvane::platform

namespace quorvane::ui {

// The page that "&Website" and the About window open: host and page, without a
// scheme, as the shell takes it.
inline constexpr const char* kWebPageAddress = "www.quorvane.example/quorvane.asp";
// The maker's web site as the About window shows it.
inline constexpr const char* kWebSiteText = "www.quorvane.example";

// Asks the shell to open the web page, maximised, with owner as the owner.
// When it cannot, a message box says so and shows the address, to be copied.
void OpenWebPage(QWidget* owner, platform::Shell& shell, platform::MessageBoxes& messages);

}  // namespace quorvane::ui
