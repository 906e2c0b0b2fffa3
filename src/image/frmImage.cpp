#include "image/frmImage.h"

#include "image/ImageSurface.h"

namespace quorvane::image {

frmImage::frmImage(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      picImage_(new ImageSurface(this)) {
  setObjectName("frmImage");
  setWindowTitle("Image");
  setFixedSize(113, 77);
  picImage_->setObjectName("picImage");
  picImage_->setGeometry(4, 4, 105, 68);
}

}  // namespace quorvane::image
