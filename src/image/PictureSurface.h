#pragma once
// The surface a picture is drawn on before it is sent: the image window's
// picture area in the desktop program, an image in memory in quorvane-send.
// The picture actions read it through this, so both send the same bytes.

#include <string>

#include "image/PictureScan.h"

namespace quorvane::image {

class PictureSurface {
 public:
  virtual ~PictureSurface() = default;
  // What the surface holds now, as the scan reads it.
  virtual const PixelSource& Pixels() const = 0;
  // Loads a picture file and draws it stretched over the whole surface:
  // empty when it worked, otherwise why not, in plain words (the surface then
  // keeps what it held).
  virtual std::string DrawPictureFile(const std::string& path) = 0;
  // Puts what was drawn on screen at once (a frame of the series); nothing
  // where nobody watches.
  virtual void ShowNow() {}
};

}  // namespace quorvane::image
