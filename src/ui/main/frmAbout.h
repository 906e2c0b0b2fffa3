#pragma once
// The About window: the program's artwork, a credit line and the maker's web
// address; a double click on the address opens the product's web page.

#include <QDialog>
#include <QImage>

class QLabel;

namespace quorvane::platform {
class MessageBoxes;
class Shell;
}  // namespace quorvane::platform

namespace quorvane::ui {

class frmAbout final : public QDialog {
  Q_OBJECT

 public:
  frmAbout(platform::Shell& shell, platform::MessageBoxes& messages, QWidget* parent = nullptr);

  void Form_Load();
  void Label1_DblClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  platform::Shell& shell_;
  platform::MessageBoxes& messages_;
  const QImage artwork_;
  QLabel* Label1;
  QLabel* Label2;
};

}  // namespace quorvane::ui
