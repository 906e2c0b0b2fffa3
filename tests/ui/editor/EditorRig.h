#pragma once
// An event editor over a temporary program folder, with message boxes that
// show nothing, and the handful of moves a user makes on it.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <memory>
#include <string>

#include "RecordingMessageBoxes.h"
#include "TempFolder.h"
#include "global/Global.h"
#include "ui/editor/frmDefs.h"

namespace quorvane::testing {

// The colours the editor shows.
inline const QColor kLitFrame(255, 192, 192);
inline const QColor kWhiteList(255, 255, 255);
inline const QColor kYellowList(255, 255, 0);

class EditorRig {
 public:
  EditorRig() { global.ProgramFolder = folder.Folder(); }

  // An event file: the description, then the lines, each ended by CR LF.
  void WriteEvent(const std::string& name, const std::string& description,
                  const QStringList& lines = {}) {
    std::string text = description + "\r\n";
    for (const QString& line : lines) text += line.toStdString() + "\r\n";
    folder.Write(name + ".evnt", text);
  }

  ui::frmDefs& Open() {
    window = std::make_unique<ui::frmDefs>(global, messages);
    window->show();
    return *window;
  }

  // Writes "probe.evnt" with the lines, opens the editor and chooses it.
  void OpenWith(const QStringList& lines) {
    WriteEvent("probe", "Probe", lines);
    Open();
    Choose("probe, Probe");
  }

  template <typename T>
  T* Find(const QString& name) const {
    T* control = window->findChild<T*>(name);
    if (control == nullptr) qFatal("no control %s", qPrintable(name));
    return control;
  }
  QPushButton* Button(const QString& name) const { return Find<QPushButton>(name); }
  QCheckBox* Check(const QString& name) const { return Find<QCheckBox>(name); }
  QGroupBox* Frame(const QString& name) const { return Find<QGroupBox>(name); }
  QLineEdit* Text(const QString& name) const { return Find<QLineEdit>(name); }
  QComboBox* Combo() const { return Find<QComboBox>("cmbEvents"); }
  QListWidget* List() const { return Find<QListWidget>("lstEvents"); }

  // Picks the item from the drop-down list, as the user does.
  void Choose(const QString& item) const {
    const int index = Combo()->findText(item);
    if (index < 0) qFatal("no item %s", qPrintable(item));
    Combo()->setCurrentIndex(index);
    emit Combo()->activated(index);
  }
  // Selects a line as the keyboard does.
  void Select(int row) const { List()->setCurrentRow(row); }
  void Press(const QString& button) const { Button(button)->click(); }

  QStringList Lines() const {
    QStringList lines;
    for (int row = 0; row < List()->count(); ++row) lines << List()->item(row)->text();
    return lines;
  }
  int SelectedRow() const {
    const auto selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->row(selected.first());
  }
  QString LitFrames() const {
    QStringList lit;
    for (const char* name : {"fmeBits", "fmeDelay", "fmeTx"}) {
      if (Frame(name)->palette().color(QPalette::Window) == kLitFrame) lit << name;
    }
    return lit.join(' ');
  }
  bool InEditMode() const {
    const bool yellow = List()->palette().color(QPalette::Base) == kYellowList;
    if (yellow == List()->isEnabled()) qFatal("list look and state disagree");
    return yellow;
  }
  QByteArray FileBytes(const std::string& name) const {
    return QByteArray::fromStdString(folder.Read(name));
  }

  TempFolder folder;
  global::Global global;
  RecordingMessageBoxes messages;
  std::unique_ptr<ui::frmDefs> window;
};

}  // namespace quorvane::testing
