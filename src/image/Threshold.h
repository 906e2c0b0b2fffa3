#pragma once
// The picture threshold: the slider's position stands for ImageThreshold =
// position × 1000, a pixel being 1 when red + 256 × green + 65536 × blue is at
// least that. Positions above 16777 put it above white.

#include <cstdint>

namespace quorvane::image {

inline constexpr std::int32_t kThresholdFactor = 1000;
inline constexpr int kMaxThresholdPosition = 32767;
// Start-up sets the threshold to 2^23 − 1, then the slider to that over 1000,
// rounded, whose change makes it 8389000.
inline constexpr std::int32_t kStartImageThreshold = 8388607;
inline constexpr int kStartThresholdPosition =
    (kStartImageThreshold + kThresholdFactor / 2) / kThresholdFactor;

constexpr std::int32_t ThresholdOfPosition(int position) {
  return position * kThresholdFactor;
}

}  // namespace quorvane::image
