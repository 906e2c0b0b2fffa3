#pragma once
// The product's web addresses.

namespace quorvane::ui {

// The page that "&Website" and the About window open: host and page, without a
// scheme, as the shell takes it.
inline constexpr const char* kWebPageAddress = "www.quorvane.example/quorvane.asp";
// The maker's web site as the About window shows it.
inline constexpr const char* kWebSiteText = "www.quorvane.example";

}  // namespace quorvane::ui
