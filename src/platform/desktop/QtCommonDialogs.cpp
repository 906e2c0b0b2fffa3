#include "platform/desktop/QtCommonDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <array>
#include <cstring>

namespace quorvane::platform {
namespace {

// The fixed file information block: thirteen little-endian 32-bit words, the
// signature first, the file version's most significant word third.
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoStructVersion = 0x00010000;
constexpr std::uint32_t kFixedInfoLength = 13 * 4;
constexpr char kRootBlock[] = "\\";

// Record texts are in the system's 8-bit encoding: the ANSI code page on
// Windows, as the single-byte calls expect, and UTF-8 on Linux, where file
// names are UTF-8 bytes that Latin-1 would garble outside its own range.
QString FromRecord(const char* text) {
  return QString::fromLocal8Bit(text);
}

bool IsLibraryName(const char* fileName) {
  return fileName != nullptr &&
         FromRecord(fileName).compare(QLatin1String(QtCommonDialogs::kLibraryName),
                                      Qt::CaseInsensitive) == 0;
}

void PutWord(unsigned char* block, std::size_t index, std::uint32_t word) {
  for (std::size_t byte = 0; byte < 4; ++byte) {
    block[index * 4 + byte] = static_cast<unsigned char>(word >> (8 * byte));
  }
}

std::uint32_t GetWord(const unsigned char* block, std::size_t index) {
  std::uint32_t word = 0;
  for (std::size_t byte = 0; byte < 4; ++byte) {
    word |= std::uint32_t{block[index * 4 + byte]} << (8 * byte);
  }
  return word;
}

QString NameFilter(const QString& description, const QString& pattern) {
  // The platform separates patterns with ";", Qt with blanks.
  QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
  for (QString& one : patterns) one = one.trimmed();
  patterns.removeAll(QString());
  const QString joined = patterns.isEmpty() ? QStringLiteral("*") : patterns.join(u' ');
  if (description.endsWith(u'(' + joined + u')')) return description;
  return description + QStringLiteral(" (") + joined + u')';
}

// The proposed name at the start of the file buffer, read no further than
// nMaxFile; a name without its NUL inside that room is not proposed.
QString ProposedName(const OpenFileNameRecord& record) {
  const void* end = std::memchr(record.lpstrFile, '\0', record.nMaxFile);
  return end == nullptr ? QString() : FromRecord(record.lpstrFile);
}

// Copies text and its NUL into a buffer of room bytes; false when it does not fit.
bool CopyOut(const QByteArray& text, char* buffer, std::uint32_t room) {
  if (buffer == nullptr || static_cast<std::size_t>(text.size()) >= room) return false;
  std::memcpy(buffer, text.constData(), static_cast<std::size_t>(text.size()));
  buffer[text.size()] = '\0';
  return true;
}

}  // namespace

QStringList NameFiltersFromFilterList(const char* filterList) {
  QStringList filters;
  if (filterList == nullptr) return filters;
  const char* cursor = filterList;
  while (*cursor != '\0') {
    const QString description = FromRecord(cursor);
    cursor += std::strlen(cursor) + 1;
    if (*cursor == '\0') break;
    const QString pattern = FromRecord(cursor);
    cursor += std::strlen(cursor) + 1;
    filters << NameFilter(description, pattern);
  }
  return filters;
}

bool QtCommonDialogs::GetOpenFileNameA(OpenFileNameRecord& record) {
  return Show(record, false);
}

bool QtCommonDialogs::GetSaveFileNameA(OpenFileNameRecord& record) {
  return Show(record, true);
}

bool QtCommonDialogs::Show(OpenFileNameRecord& record, bool isSave) const {
  if (record.lpstrFile == nullptr || record.nMaxFile == 0) return false;

  QFileDialog dialog(record.hwndOwner);
  dialog.setOption(QFileDialog::DontUseNativeDialog, !nativeDialogs_);
  dialog.setAcceptMode(isSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (isSave) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (record.Flags & kOfnOverwritePrompt) == 0);
  } else {
    // Without the flag the open dialog takes a name that does not exist yet.
    dialog.setFileMode((record.Flags & kOfnFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                               : QFileDialog::AnyFile);
  }
  if (record.lpstrTitle != nullptr) dialog.setWindowTitle(FromRecord(record.lpstrTitle));
  if (record.lpstrInitialDir != nullptr) {
    const QString folder = FromRecord(record.lpstrInitialDir);
    // A folder that is not there leaves the dialog where Qt would open it.
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
  }
  const QStringList filters = NameFiltersFromFilterList(record.lpstrFilter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    // 1-based; 0 and anything past the list start on the first type.
    const std::uint32_t index = record.nFilterIndex;
    const bool inRange = index >= 1 && index <= static_cast<std::uint32_t>(filters.size());
    dialog.selectNameFilter(filters.at(inRange ? static_cast<qsizetype>(index) - 1 : 0));
  }
  if (record.lpstrDefExt != nullptr && *record.lpstrDefExt != '\0') {
    dialog.setDefaultSuffix(FromRecord(record.lpstrDefExt));
  }
  const QString proposed = ProposedName(record);
  if (!proposed.isEmpty()) dialog.selectFile(proposed);

  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  const QString path = QDir::toNativeSeparators(chosen.first());
  if (!CopyOut(path.toLocal8Bit(), record.lpstrFile, record.nMaxFile)) return false;

  // The file title may stay unset when it does not fit; nothing relies on it.
  CopyOut(QFileInfo(chosen.first()).fileName().toLocal8Bit(), record.lpstrFileTitle,
          record.nMaxFileTitle);
  if (!filters.isEmpty()) {
    record.nFilterIndex =
        static_cast<std::uint32_t>(filters.indexOf(dialog.selectedNameFilter()) + 1);
  }
  return true;
}

std::uint32_t QtCommonDialogs::GetFileVersionInfoSizeA(const char* fileName) {
  return IsLibraryName(fileName) ? kFixedInfoLength : 0;
}

bool QtCommonDialogs::GetFileVersionInfoA(const char* fileName, std::uint32_t size, void* data) {
  if (!IsLibraryName(fileName) || data == nullptr || size < kFixedInfoLength) return false;
  std::array<unsigned char, kFixedInfoLength> block{};
  PutWord(block.data(), 0, kFixedInfoSignature);
  PutWord(block.data(), 1, kFixedInfoStructVersion);
  PutWord(block.data(), 2, std::uint32_t{kMajorVersion} << 16);  // file version 6.0
  PutWord(block.data(), 4, std::uint32_t{kMajorVersion} << 16);  // product version 6.0
  std::memcpy(data, block.data(), block.size());
  return true;
}

bool QtCommonDialogs::VerQueryValueA(const void* data, const char* subBlock, const void*& value,
                                     std::uint32_t& length) {
  if (data == nullptr || subBlock == nullptr || std::strcmp(subBlock, kRootBlock) != 0) {
    return false;
  }
  if (GetWord(static_cast<const unsigned char*>(data), 0) != kFixedInfoSignature) return false;
  value = data;
  length = kFixedInfoLength;
  return true;
}

}  // namespace quorvane::platform
