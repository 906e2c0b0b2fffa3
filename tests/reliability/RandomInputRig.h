#pragma once
// The desktop program as the random-input test drives it: the main window on
// the simulated port with the emulated module behind it, recording stand-ins
// for waits, message boxes, the shell and the file dialogs, and a program
// folder holding the standard events, events of the user's (sound and broken),
// the picture series and files for the "..." buttons to choose.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RecordingMessageBoxes.h"
#include "RecordingShell.h"
#include "RecordingSleeper.h"
#include "ScriptedCommonDialogs.h"
#include "TempFolder.h"
#include "image/frmImage.h"
#include "module/ModuleFeed.h"
#include "module/Pcd8544.h"
#include "module/frmModule.h"
#include "platform/ports/Port.h"
#include "platform/ports/SimPort.h"
#include "ui/main/frmELCD.h"

namespace quorvane::testing {

// Counts the writes and keeps the last few: a long run makes millions.
class TailPort final : public platform::Port {
 public:
  void Out32(std::uint16_t address, std::uint8_t value) override {
    ++count;
    tail.push_back({address, value});
    if (tail.size() > 4) tail.pop_front();
  }
  std::uint64_t count = 0;
  std::deque<platform::PortWrite> tail;
};

class RandomInputRig {
 public:
  RandomInputRig() {
    namespace fs = std::filesystem;
    const fs::path data(QUORVANE_DATA_DIR);
    for (const char* name : {"0.evnt", "1.evnt", "2.evnt"}) {
      fs::copy_file(data / name, folder.Path() / name);
    }
    fs::create_directories(folder.Path() / "images");
    for (const char* name : {"lcd_0.bmp", "lcd_1.bmp"}) {
      fs::copy_file(data / "images" / name, folder.Path() / "images" / name);
    }
    folder.Write("probe.evnt", "Probe, lines\r\nSB, 5\r\nDL, 3\r\nTX, 20,SH,DL,\r\nSB, 25\r\n");
    folder.Write("long.evnt",
                 "Waits long\r\nDL, 30000\r\nDL, -5\r\nSB, 1e999\r\nTX, 4,SL,DH,7\r\n");
    folder.Write("junk.evnt", std::string("\0\xff\r\n\x01SB\0,,,\r\nTX", 16));
    folder.Write("wide.evnt", std::string(5000, 'w') + "\r\nSB, 6\r\n");

    files = {
        "",  // cancelled
        folder.Write("list.txt", "33, 255, 6\r\nsecond line\r\n"),
        folder.Write("delays.txt", "#500, 1, #-5, 2, #1e12\r\n"),
        folder.Write("padded.txt", "7," + std::string(40000, ' ') + "9\r\n"),
        folder.Write("refused.txt", std::string(7000 * 5, ' ') + "1, 256\n"),
        folder.Write("empty.txt", ""),
        folder.Write("binary.bin", std::string("\x00\x01\xfe\xff\r\r\n", 7)),
        folder.File("missing.txt"),
        folder.Path().string(),  // a folder
        (folder.Path() / "images" / "lcd_0.bmp").string(),
        folder.Write("broken.bmp", "BM not a picture"),
        folder.Write("huge.bmp", HugeBitmapHeader()),
    };

    services = std::make_unique<ui::DesktopServices>(
        ui::DesktopServices{feed, sleeper, messages, shell, dialogs, folder.Path().string()});
    services->module = &module;
    window = std::make_unique<ui::frmELCD>(*services);
    window->Form_Load();
    window->show();
  }
  ~RandomInputRig() {
    if (window && !window->IsShutDown()) window->close();
  }

  TempFolder folder;
  TailPort port;
  module::Pcd8544 module;
  module::ModuleFeed feed{port, module};
  RecordingSleeper sleeper;
  RecordingMessageBoxes messages;
  RecordingShell shell;
  ScriptedCommonDialogs dialogs;
  std::vector<std::string> files;  // what the file dialogs may answer
  std::unique_ptr<ui::DesktopServices> services;
  std::unique_ptr<ui::frmELCD> window;

 private:
  // A bitmap header that claims 100,000 x 100,000 pixels and holds none.
  static std::string HugeBitmapHeader() {
    std::string header(54, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value) {
      for (int n = 0; n < 4; ++n) header[at + n] = static_cast<char>(value >> (8 * n));
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54);
    put(10, 54);
    put(14, 40);
    put(18, 100000);
    put(22, 100000);
    header[26] = 1;
    header[28] = 24;
    return header;
  }
};

}  // namespace quorvane::testing
