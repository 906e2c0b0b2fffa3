// The desktop's own calls on Windows, on real windows: the dialog record as
// comdlg32 takes it, the version probe of comdlg32, the system menu after
// RemoveCloseItem, and an open dialog that the test cancels. Runs on the
// windows platform, not the offscreen one, with a display (under Wine: an X
// display).

#include <windows.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/desktop/WindowsCommonDialogs.h"
#include "ui/filedialog/FDialog.h"
#include "ui/main/FormProcedures.h"

using namespace quorvane;

namespace {

// Cancels each dialog box of this thread as it is activated, with the
// dialog's own Cancel command: nothing waits for it.
HHOOK cancelHook = nullptr;
int cancelled = 0;

LRESULT CALLBACK CancelDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    char name[16] = {};
    const HWND window = reinterpret_cast<HWND>(wParam);
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770") {  // the class of dialog boxes
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
      ++cancelled;
    }
  }
  return CallNextHookEx(cancelHook, code, wParam, lParam);
}

// The record FDialog builds, seen on its way to the dialog.
class SeenRecord final : public platform::CommonDialogs {
 public:
  explicit SeenRecord(platform::CommonDialogs& real) : real_(real) {}
  bool GetOpenFileNameA(platform::OpenFileNameRecord& record) override {
    sizes.push_back(record.lStructSize);
    return real_.GetOpenFileNameA(record);
  }
  bool GetSaveFileNameA(platform::OpenFileNameRecord& record) override {
    sizes.push_back(record.lStructSize);
    return real_.GetSaveFileNameA(record);
  }
  std::uint32_t GetFileVersionInfoSizeA(const char* name) override {
    return real_.GetFileVersionInfoSizeA(name);
  }
  bool GetFileVersionInfoA(const char* name, std::uint32_t size, void* data) override {
    return real_.GetFileVersionInfoA(name, size, data);
  }
  bool VerQueryValueA(const void* data, const char* block, const void*& value,
                      std::uint32_t& length) override {
    return real_.VerQueryValueA(data, block, value, length);
  }
  std::vector<std::uint32_t> sizes;

 private:
  platform::CommonDialogs& real_;
};

}  // namespace

class WindowsDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void TheRecordIsThisPlatformsOwn() {
    QWidget owner;
    char file[700] = "proposed.txt";
    platform::OpenFileNameRecord record;
    record.hwndOwner = &owner;
    record.lpstrFile = file;
    record.nMaxFile = sizeof file;
    record.lpstrFilter = "Text files (*.txt)\0*.txt\0";
    record.nFilterIndex = 2;
    record.Flags = platform::kOfnFileMustExist;
    const struct {
      std::uint32_t ours;
      DWORD platforms;
    } sizes[] = {{platform::kOpenFileNameSize, sizeof(OPENFILENAMEA)},
                 {platform::kOpenFileNameSizeOld, OPENFILENAME_SIZE_VERSION_400A}};
    for (const auto& size : sizes) {
      record.lStructSize = size.ours;
      const OPENFILENAMEA ofn = platform::ToPlatformRecord(record);
      QCOMPARE(ofn.lStructSize, size.platforms);
      QCOMPARE(ofn.hwndOwner, reinterpret_cast<HWND>(owner.winId()));
      QVERIFY(ofn.lpstrFile == file && ofn.nMaxFile == sizeof file);
      QVERIFY(ofn.lpstrFilter == record.lpstrFilter);
      QCOMPARE(ofn.nFilterIndex, DWORD{2});
      QCOMPARE(ofn.Flags, DWORD{platform::kOfnFileMustExist});
      QVERIFY(ofn.lpfnHook == nullptr && ofn.lpstrTitle == nullptr);
    }
  }

  void TheDialogLibraryIsOfVersionFiveOrLaterSoTheLongRecordIsUsed() {
    // FDialog asks the version library about comdlg32 and picks the record:
    // the long one from version 5 on.
    platform::WindowsCommonDialogs real;
    QVERIFY(real.GetFileVersionInfoSizeA("Comdlg32.dll") > 0);
    SeenRecord seen(real);
    ui::FDialog dialog(seen);
    dialog.SetFilters("Text files (*.txt)|*.txt");
    cancelled = 0;
    cancelHook = SetWindowsHookExA(WH_CBT, CancelDialogs, nullptr, GetCurrentThreadId());
    QWidget owner;
    owner.show();
    // Cancelled by the test: nothing chosen.
    QCOMPARE(dialog.ShowOpen(&owner), QString());
    UnhookWindowsHookEx(cancelHook);
    QCOMPARE(cancelled, 1);
    QCOMPARE(seen.sizes, std::vector<std::uint32_t>{platform::kOpenFileNameSize});
  }

  void RemoveCloseItemTakesTheCloseItemOutOfTheSystemMenu() {
    QWidget window;
    window.show();
    const HWND handle = reinterpret_cast<HWND>(window.winId());
    const HMENU before = GetSystemMenu(handle, FALSE);
    QVERIFY(before != nullptr);
    const int items = GetMenuItemCount(before);
    QVERIFY(GetMenuState(before, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1));
    ui::RemoveCloseItem(&window);
    const HMENU after = GetSystemMenu(handle, FALSE);
    QCOMPARE(GetMenuItemCount(after), items - 1);
    QCOMPARE(GetMenuState(after, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  }
};

int main(int argc, char** argv) {
  // Real windows of the window system, whatever the test run asks for.
  qputenv("QT_QPA_PLATFORM", "windows");
  QApplication application(argc, argv);
  WindowsDesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "WindowsDesktopTest.moc"
