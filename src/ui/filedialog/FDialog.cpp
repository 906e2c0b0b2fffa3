#include "ui/filedialog/FDialog.h"

#include <QResizeEvent>
#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "platform/desktop/CommonDialogs.h"

namespace quorvane::ui {
namespace {

constexpr int kSide = 32;
constexpr std::size_t kFileLength = 700;
constexpr std::size_t kFileTitleLength = 260;
constexpr char kCommonDialogLibrary[] = "Comdlg32.dll";
constexpr char kRootBlock[] = "\\";
// The major part of the file version: the high half of its most significant
// word, a little-endian 16-bit word at byte 10 of the fixed file information.
constexpr std::uint32_t kMajorVersionOffset = 10;
constexpr std::uint16_t kFirst2KMajorVersion = 5;

// Record texts are in the system's 8-bit encoding: the ANSI code page on
// Windows, as the single-byte dialog calls expect, and UTF-8 on Linux, where
// file names are UTF-8 bytes that Latin-1 would garble outside its own range.
std::string ToRecord(const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromRecord(const std::string& bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::optional<std::string> ToRecord(const std::optional<QString>& text) {
  if (!text) return std::nullopt;
  return ToRecord(*text);
}

const char* TextOf(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

}  // namespace

FDialog::FDialog(platform::CommonDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {
  setFixedSize(kSide, kSide);
  // The control only holds the dialogs' settings; the user never sees it.
  setVisible(false);
}

QString FDialog::Title() const {
  return title_.value_or(QString());
}

void FDialog::SetTitle(const QString& myTitle) {
  title_ = myTitle;
}

QString FDialog::ShowSave(QWidget* myForm, const QString& myFileName) {
  return ShowDialog(myForm, true, myFileName);
}

QString FDialog::ShowOpen(QWidget* myForm) {
  return ShowDialog(myForm, false, QString());
}

QString FDialog::InitDir() const {
  return initDir_.value_or(QString());
}

void FDialog::SetInitDir(const QString& myDir) {
  initDir_ = myDir;
}

std::uint32_t FDialog::Flags() const {
  return flags_;
}

void FDialog::SetFlags(std::uint32_t myFlags) {
  flags_ = myFlags;
}

QString FDialog::Filters() const {
  return filter_.value_or(QString());
}

void FDialog::SetFilters(const QString& myFilter) {
  filter_ = QString(myFilter).replace(u'|', QChar(u'\0'));
}

std::int32_t FDialog::FilterIndex() const {
  return filterIndex_;
}

void FDialog::SetFilterIndex(std::int32_t myView) {
  filterIndex_ = myView;
}

void FDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UserControl_Resize();
}

void FDialog::UserControl_Resize() {
  if (width() != kSide || height() != kSide) setFixedSize(kSide, kSide);
}

bool FDialog::Is2KShell() const {
  const std::uint32_t size = dialogs_.GetFileVersionInfoSizeA(kCommonDialogLibrary);
  // The platform counts the size as a signed number: none unless above 0.
  if (size == 0 || size > static_cast<std::uint32_t>(INT32_MAX)) return false;
  std::vector<unsigned char> info;
  try {
    info.resize(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!dialogs_.GetFileVersionInfoA(kCommonDialogLibrary, size, info.data())) return false;
  const void* fixedInfo = nullptr;
  std::uint32_t length = 0;
  if (!dialogs_.VerQueryValueA(info.data(), kRootBlock, fixedInfo, length)) return false;
  // A block too short to hold the version word counts as unreadable.
  if (fixedInfo == nullptr || length < kMajorVersionOffset + 2) return false;
  const auto* bytes = static_cast<const unsigned char*>(fixedInfo);
  const auto major =
      static_cast<std::uint16_t>(bytes[kMajorVersionOffset] | bytes[kMajorVersionOffset + 1] << 8);
  return major >= kFirst2KMajorVersion;
}

QString FDialog::ShowDialog(QWidget* myForm, bool isSave, const QString& myFileName) {
  // Every buffer the record points into lives until the dialog has returned.
  std::optional<std::string> filter = ToRecord(filter_);
  if (filter) filter->append(2, '\0');  // the list ends with two NULs
  const std::optional<std::string> initDir = ToRecord(initDir_);
  const std::optional<std::string> title = ToRecord(title_);
  const std::string defExt;
  // The proposed name stands before the 700 NULs; nMaxFile keeps the dialog
  // inside those, so a long name cannot make it write past the buffer.
  std::string file = isSave ? ToRecord(myFileName) : std::string();
  file.append(kFileLength, '\0');
  std::string fileTitle(kFileTitleLength, '\0');

  platform::OpenFileNameRecord record;
  record.lStructSize = Is2KShell() ? platform::kOpenFileNameSize : platform::kOpenFileNameSizeOld;
  record.hwndOwner = myForm;
  record.lpstrFilter = TextOf(filter);
  record.nFilterIndex = isSave ? static_cast<std::uint32_t>(filterIndex_) : 0;
  record.lpstrFile = file.data();
  record.nMaxFile = kFileLength;
  record.lpstrFileTitle = fileTitle.data();
  record.nMaxFileTitle = kFileTitleLength;
  record.lpstrInitialDir = TextOf(initDir);
  record.lpstrTitle = TextOf(title);
  record.Flags = flags_;
  record.lpstrDefExt = isSave ? defExt.c_str() : nullptr;

  const bool chosen =
      isSave ? dialogs_.GetSaveFileNameA(record) : dialogs_.GetOpenFileNameA(record);
  if (!chosen) return QString();
  // Never past the buffer, even when the dialog left no NUL in it.
  const auto end = std::find(file.begin(), file.end(), '\0');
  return FromRecord(std::string(file.begin(), end));
}

}  // namespace quorvane::ui
