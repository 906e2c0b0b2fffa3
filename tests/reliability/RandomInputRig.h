#pragma once
// The desktop program as the random-input test drives it: the main window on
// the simulated port with the emulated module behind it, recording stand-ins
// for waits, message boxes, the shell and the file dialogs, and a program
// folder holding the standard events, events of the user's (sound and broken),
// the picture series and files for the "..." buttons to choose.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "DesktopRig.h"
#include "StandardEvents.h"
#include "TestPictures.h"
#include "image/frmImage.h"
#include "module/frmModule.h"
#include "platform/ports/Port.h"
#include "platform/ports/SimPort.h"

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

class RandomInputRig : public DesktopRig {
 public:
  RandomInputRig() {
    CopyStandardEvents(folder);
    CopyDemoPictures(folder, {"lcd_0.bmp", "lcd_1.bmp"});
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
        folder.Write("huge.bmp", BitmapHeader(100000, 100000)),  // and no pixels
    };

    MakeWindow(std::move(session::PortStack::Over(port, {}, {sleeper, sleeper},
                                                  {{}, false, session::ModuleOnLines::Always})
                             .stack));
    Load();
  }
  ~RandomInputRig() { Close(); }

  TailPort port;
  std::vector<std::string> files;  // what the file dialogs may answer
};

}  // namespace quorvane::testing
