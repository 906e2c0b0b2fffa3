#pragma once
// The file dialog control: keeps a title, an initial folder, flags and a list
// of file types, and shows the desktop's open and save dialogs with them. It has
// no look of its own and stays hidden at a fixed 32 x 32 pixels.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>

class QResizeEvent;

namespace quorvane::platform {
class CommonDialogs;
}

namespace quorvane::ui {

class FDialog final : public QWidget {
  Q_OBJECT

 public:
  explicit FDialog(platform::CommonDialogs& dialogs, QWidget* parent = nullptr);

  // The dialog's caption.
  QString Title() const;
  void SetTitle(const QString& myTitle);

  // Shows the save dialog modal to myForm with myFileName proposed and the file
  // type FilterIndex preselected; the chosen path, or "" when nothing was chosen.
  QString ShowSave(QWidget* myForm, const QString& myFileName);
  // Shows the open dialog modal to myForm on the first file type; the chosen
  // path, or "" when nothing was chosen.
  QString ShowOpen(QWidget* myForm);

  // The folder in which the dialog opens.
  QString InitDir() const;
  void SetInitDir(const QString& myDir);

  // Passed to the dialog unchanged.
  std::uint32_t Flags() const;
  void SetFlags(std::uint32_t myFlags);

  // Description / pattern pairs separated by "|" ("BitMap (*.bmp)|*.bmp");
  // kept, and read back, with every "|" turned into a NUL.
  QString Filters() const;
  void SetFilters(const QString& myFilter);

  // The 1-based file type the save dialog starts on.
  std::int32_t FilterIndex() const;
  void SetFilterIndex(std::int32_t myView);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Whether the common-dialog library is of major version 5 or later, which
  // takes the longer record.
  bool Is2KShell() const;
  void UserControl_Resize();
  QString ShowDialog(QWidget* myForm, bool isSave, const QString& myFileName);

  platform::CommonDialogs& dialogs_;
  // A text never assigned stays absent and reaches the dialog as a null text.
  std::optional<QString> initDir_;
  std::optional<QString> title_;
  std::optional<QString> filter_;
  std::uint32_t flags_ = 0;
  std::int32_t filterIndex_ = 0;
};

}  // namespace quorvane::ui
