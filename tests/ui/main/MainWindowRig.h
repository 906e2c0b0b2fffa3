#pragma once
// A main window wired to recording stand-ins: the simulated port, a sleeper
// that records, message boxes and shell that show nothing, scripted file
// dialogs, and a program folder holding copies of the shipped standard events.

#include <QApplication>
#include <filesystem>
#include <memory>

#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "RecordingSleeper.h"
#include "ScriptedCommonDialogs.h"
#include "TempFolder.h"
#include "platform/ports/SimPort.h"
#include "port/LampShape.h"
#include "ui/main/frmELCD.h"

namespace quorvane::testing {

class MainWindowRig {
 public:
  explicit MainWindowRig(bool load = true) {
    for (const char* name : {"0.evnt", "1.evnt", "2.evnt"}) {
      std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name,
                                 folder.Path() / name);
    }
    window = std::make_unique<ui::frmELCD>(
        ui::DesktopServices{port, sleeper, messages, shell, dialogs, folder.Path().string()});
    if (load) Load();
  }
  ~MainWindowRig() {
    if (window && !window->IsShutDown()) window->close();
  }

  void Load() {
    window->Form_Load();
    window->show();
  }

  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }

  // The lamps as 'b' (bright) and 'd' (dark), lamp 0 first; '?' for a colour
  // that is neither.
  QString Lamps() const {
    static const QColor kDark[] = {{0, 64, 0}, {64, 64, 0}, {0, 0, 64}, {64, 0, 0}, {0, 64, 64}};
    static const QColor kBright[] = {
        {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 0}, {0, 255, 255}};
    QString lamps;
    for (int n = 0; n < 5; ++n) {
      const auto* lamp = Find<port::LampShape>(("shpData_" + std::to_string(n)).c_str());
      lamps += lamp->FillColor() == kBright[n] ? 'b' : lamp->FillColor() == kDark[n] ? 'd' : '?';
    }
    return lamps;
  }

  // The data-register bytes written since the last Clear.
  std::vector<std::uint8_t> DataWrites() const { return port.ValuesAt(0x378); }
  void Clear() {
    port.Clear();
    sleeper.requests.clear();
  }

  TempFolder folder;
  platform::SimPort port;
  RecordingSleeper sleeper;
  RecordingMessageBoxes messages;
  RecordingShell shell;
  ScriptedCommonDialogs dialogs;
  std::unique_ptr<ui::frmELCD> window;
};

// Reads data-register bytes the way the module does: with CS (D3) low, SDA
// (D1) is sampled on each rising SCLK (D0) edge, most significant bit first;
// D/C (D2) is taken with the eighth bit. Gives "c33" for a command byte 33,
// "d7" for a data byte 7.
inline std::vector<std::string> DecodeWire(const std::vector<std::uint8_t>& writes,
                                           std::uint8_t previous = 0) {
  std::vector<std::string> bytes;
  unsigned shift = 0, count = 0;
  for (const std::uint8_t now : writes) {
    if (now & 8) {
      count = 0;
    } else if (!(previous & 1) && (now & 1)) {
      shift = (shift << 1 | (now >> 1 & 1)) & 0xFF;
      if (++count == 8) {
        bytes.push_back(std::string((now & 4) ? "d" : "c").append(std::to_string(shift)));
        count = 0;
      }
    }
    previous = now;
  }
  return bytes;
}

}  // namespace quorvane::testing
