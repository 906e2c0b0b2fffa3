#pragma once
// The common dialogs on Qt: a QFileDialog driven by the dialog record, and the
// version answer of a current common-dialog library.

#include <QStringList>
#include <cstdint>

#include "platform/desktop/CommonDialogs.h"

namespace quorvane::platform {

// Qt name filters from a record's filter list. "BitMap (*.bmp)" with "*.bmp"
// stays "BitMap (*.bmp)"; a description that does not end in its patterns gets
// them appended in parentheses ("Text" with "*.txt;*.log" gives
// "Text (*.txt *.log)"), since Qt takes the patterns from there. The list ends
// at the first empty description or missing pattern; a null list gives none.
QStringList NameFiltersFromFilterList(const char* filterList);

class QtCommonDialogs final : public CommonDialogs {
 public:
  // The library whose version the dialogs answer for, and that version.
  static constexpr char kLibraryName[] = "comdlg32.dll";
  static constexpr std::uint16_t kMajorVersion = 6;

  // nativeDialogs false keeps to Qt's own dialog widget, which also runs where
  // the desktop's dialog cannot, such as on the offscreen platform.
  explicit QtCommonDialogs(bool nativeDialogs = true) : nativeDialogs_(nativeDialogs) {}

  bool GetOpenFileNameA(OpenFileNameRecord& record) override;
  bool GetSaveFileNameA(OpenFileNameRecord& record) override;

  // Only kLibraryName, in any letter case, has version information.
  std::uint32_t GetFileVersionInfoSizeA(const char* fileName) override;
  bool GetFileVersionInfoA(const char* fileName, std::uint32_t size, void* data) override;
  bool VerQueryValueA(const void* data, const char* subBlock, const void*& value,
                      std::uint32_t& length) override;

 private:
  bool Show(OpenFileNameRecord& record, bool isSave) const;

  bool nativeDialogs_;
};

}  // namespace quorvane::platform
