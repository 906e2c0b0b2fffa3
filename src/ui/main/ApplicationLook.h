#pragma once
// The look of every window: one style and one small font, chosen so that each
// caption fits its control at the window's fixed pixel sizes; and the keys
// that every window answers alike (ButtonKeys.h).

namespace quorvane::ui {

void ApplyApplicationLook();

}  // namespace quorvane::ui
