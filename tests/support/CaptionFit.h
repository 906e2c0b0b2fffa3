#pragma once
// Checks that every caption of a window is shown whole: the texts of labels,
// buttons, check boxes and frames fit their controls at the controls' fonts.

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

namespace quorvane::testing {

// The text a control shows for its caption: "&&" is one ampersand, a single
// "&" marks the shortcut letter and takes no room.
inline QString ShownCaption(const QString& caption) {
  QString shown;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == '&' && i + 1 < caption.size()) ++i;
    shown += caption.at(i);
  }
  return shown;
}

// The size a text needs at metrics' font: lines broken at line ends, and, when
// wrapWidth is set, between words at that width (a word wider than that cannot
// be broken and makes the text wider).
inline QSize NeededSize(const QFontMetrics& metrics, const QString& text, int wrapWidth = 0) {
  if (wrapWidth > 0) {
    return metrics.boundingRect(QRect(0, 0, wrapWidth, 1 << 20), Qt::TextWordWrap, text).size();
  }
  const QStringList lines = text.split('\n');
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  return {width, metrics.lineSpacing() * static_cast<int>(lines.size() - 1) + metrics.height()};
}

// One line for each caption of window (or of its child windows) that does not
// fit its control; empty when all fit. Hidden controls are skipped.
inline QStringList CaptionsThatDoNotFit(const QWidget& window) {
  QStringList problems;
  const auto check = [&](const QWidget& control, const QString& text, QSize room) {
    const QFontMetrics metrics(control.font());
    const auto* label = qobject_cast<const QLabel*>(&control);
    QSize needed;
    if (label != nullptr && (label->textFormat() == Qt::RichText ||
                             (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))) {
      QTextDocument document;
      document.setDefaultFont(control.font());
      document.setDocumentMargin(0);
      document.setHtml(text);
      if (label->wordWrap()) document.setTextWidth(room.width());
      needed = QSize(static_cast<int>(document.idealWidth()),
                     static_cast<int>(document.size().height()));
    } else {
      needed = NeededSize(metrics, text, label != nullptr && label->wordWrap() ? room.width() : 0);
    }
    if (needed.width() > room.width() || needed.height() > room.height()) {
      problems << QString("%1 '%2': needs %3 x %4 px, has %5 x %6")
                      .arg(control.objectName(), text)
                      .arg(needed.width())
                      .arg(needed.height())
                      .arg(room.width())
                      .arg(room.height());
    }
  };
  QList<const QWidget*> controls{&window};
  for (const QWidget* child : window.findChildren<QWidget*>()) controls << child;
  for (const QWidget* control : controls) {
    if (!control->isVisibleTo(&window) && control != &window) continue;
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
      QStyleOptionButton option;
      option.initFrom(box);
      option.text = box->text();
      const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
      check(*box, ShownCaption(box->text()), QSize(room.width(), box->height()));
    } else if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
      QStyleOptionButton option;
      option.initFrom(radio);
      option.text = radio->text();
      const QRect room =
          radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
      check(*radio, ShownCaption(radio->text()), QSize(room.width(), radio->height()));
    } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
      // Two pixels of border on each side.
      const QSize room(button->width() - 4, button->height());
      check(*button, ShownCaption(button->text()), room);
    } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
      if (!label->text().isEmpty()) check(*label, label->text(), label->contentsRect().size());
    } else if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
      // The caption starts 8 pixels in and keeps 8 pixels from the right edge.
      const QSize room(frame->width() - 16, frame->height());
      check(*frame, ShownCaption(frame->title()), room);
    }
  }
  return problems;
}

}  // namespace quorvane::testing
