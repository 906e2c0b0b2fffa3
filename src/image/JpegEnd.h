#pragma once
// Where a JPEG picture ends: at the end-of-image marker after its last scan.
// Cameras and phones often append data after that marker (a motion photo
// appends a whole video), so the end of the picture is not always the end of
// its file; a file cut off inside its picture data has no such marker.

#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvane::image {

// The offset just past the end-of-image marker of the JPEG picture that
// starts the bytes, found by walking its segments and scans; nothing when the
// bytes end before that marker or do not start with a JPEG start-of-image.
std::optional<std::size_t> JpegPictureEnd(std::string_view bytes);

}  // namespace quorvane::image
