#include "ui/main/ClassicFrameStyle.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace quorvane::ui {
namespace {

// A frame with a check box in its caption keeps the base style's look.
const QStyleOptionGroupBox* PlainFrame(QStyle::ComplexControl control,
                                       const QStyleOptionComplex* option) {
  if (control != QStyle::CC_GroupBox) return nullptr;
  const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (frame == nullptr || (frame->subControls & QStyle::SC_GroupBoxCheckBox)) return nullptr;
  return frame;
}

constexpr int kBorder = 2;  // the etched line: a dark and a light pixel

}  // namespace

ClassicFrameStyle::ClassicFrameStyle(QStyle* base) : QProxyStyle(base) {}

QRect ClassicFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl subControl, const QWidget* widget) const {
  const QStyleOptionGroupBox* frame = PlainFrame(control, option);
  if (frame == nullptr) return QProxyStyle::subControlRect(control, option, subControl, widget);
  const QRect& all = frame->rect;
  const int captionHeight = frame->fontMetrics.height();
  switch (subControl) {
    case SC_GroupBoxFrame:
      // The top line runs through the middle of the caption.
      return all.adjusted(0, captionHeight / 2, 0, 0);
    case SC_GroupBoxLabel: {
      const int room = std::max(0, all.width() - 2 * kCaptionMargin);
      const int width = std::min(room, frame->fontMetrics.horizontalAdvance(frame->text));
      return {all.left() + kCaptionMargin, all.top(), width, captionHeight};
    }
    case SC_GroupBoxContents:
      return all.adjusted(kBorder, captionHeight, -kBorder, -kBorder);
    default:
      return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
}

void ClassicFrameStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
  const QStyleOptionGroupBox* frame = PlainFrame(control, option);
  if (frame == nullptr) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
  painter->save();
  if (frame->subControls & SC_GroupBoxFrame) {
    QRegion around(frame->rect);
    if (!frame->text.isEmpty()) around -= caption;
    painter->setClipRegion(around);
    // Sunken with one line and no middle line: the etched groove of a frame.
    qDrawShadeRect(painter, subControlRect(control, option, SC_GroupBoxFrame, widget),
                   frame->palette, true, 1, 0);
    painter->setClipping(false);
  }
  if ((frame->subControls & SC_GroupBoxLabel) && !frame->text.isEmpty()) {
    proxy()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          frame->palette, (frame->state & State_Enabled) != 0, frame->text,
                          QPalette::WindowText);
  }
  painter->restore();
}

}  // namespace quorvane::ui
