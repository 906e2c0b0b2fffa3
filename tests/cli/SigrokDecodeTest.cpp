// The value change dump of quorvane-send, read back by sigrok-cli's SPI
// decoder: the bytes it decodes are the bytes that were sent, each in its own
// chip-select frame with the D/C level of its list.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "CsvTrace.h"
#include "SendRun.h"

namespace quorvane::cli {
namespace {

constexpr char kCommands[] = "33, 255, 6, 19, 32, 12";
const std::vector<unsigned> kCommandBytes = {33, 255, 6, 19, 32, 12};
constexpr char kData[] = "1, 128, 165, 90, 15, 240";
const std::vector<unsigned> kDataBytes = {1, 128, 165, 90, 15, 240};

struct ShellResult {
  int status;  // exit status; -1 when the command did not end normally
  std::string output;
};

struct PipeCloser {
  void operator()(std::FILE* pipe) const { pclose(pipe); }
};

ShellResult RunShell(const std::string& command) {
  std::unique_ptr<std::FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
  if (!pipe) return {-1, {}};
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
    output.append(buffer, n);
  }
  const int status = pclose(pipe.release());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The lines sigrok-cli prints for a list of one-byte annotations.
std::string Annotations(const std::vector<unsigned>& bytes) {
  std::string text;
  for (const unsigned byte : bytes) {
    char line[16];
    std::snprintf(line, sizeof line, "spi-1: %02X\n", byte);
    text += line;
  }
  return text;
}

struct DecodeCase {
  const char* name;
  const char* commandEvent;  // the event files, or null for the shipped standard events
  const char* dataEvent;
  int cpol;  // the SPI mode that reads the events' clock
  int cpha;
  const char* bitorder;
};

// "SL" idles the clock high and leaves SDA stable on the rising edge (mode 3);
// "SH" idles it low with SDA stable on the falling edge (mode 1). "DL" sends
// the least significant bit first.
const DecodeCase kCases[] = {
    {"shipped events", nullptr, nullptr, 1, 1, "msb-first"},
    {"SL, LSB first", "C\r\nSB, 25\r\nTX, 16,SL,DL,\r\nSB, 25\r\n",
     "D\r\nSB, 25\r\nTX, 20,SL,DL,\r\nSB, 25\r\n", 1, 1, "lsb-first"},
    {"SH, MSB first", "C\r\nSB, 24\r\nTX, 16,SH,DH,\r\nSB, 24\r\n",
     "D\r\nSB, 24\r\nTX, 20,SH,DH,\r\nSB, 24\r\n", 0, 1, "msb-first"},
    {"SH, LSB first", "C\r\nSB, 24\r\nTX, 16,SH,DL,\r\nSB, 24\r\n",
     "D\r\nSB, 24\r\nTX, 20,SH,DL,\r\nSB, 24\r\n", 0, 1, "lsb-first"},
};

TEST(SigrokDecode, TheSpiDecoderReadsTheBytesThatWereSent) {
  ASSERT_EQ(RunShell("command -v sigrok-cli >/dev/null 2>&1").status, 0)
      << "sigrok-cli is not installed: this test needs it (Debian package sigrok-cli, "
         "installed by scripts/test.sh)";

  std::vector<unsigned> allBytes = kCommandBytes;
  allBytes.insert(allBytes.end(), kDataBytes.begin(), kDataBytes.end());
  // D/C, decoded as a second data line: all zeros for a command, all ones for data.
  std::vector<unsigned> dcLevels(kCommandBytes.size(), 0x00);
  dcLevels.resize(allBytes.size(), 0xFF);

  for (const DecodeCase& c : kCases) {
    SCOPED_TRACE(c.name);
    testing::SendRig rig;
    const testing::TempFolder& folder = rig.folder;
    std::string eventFolder = QUORVANE_DATA_DIR;
    if (c.commandEvent) {
      folder.Write("1.evnt", c.commandEvent);
      folder.Write("2.evnt", c.dataEvent);
      eventFolder = folder.Path().string();
    }
    const std::string trace = folder.File("t.vcd");
    const testing::SendRun run =
        rig.Send({"--port", "sim", "--folder", eventFolder, "--trace", trace, "--virtual-time",
                  "--command", kCommands, "--data", kData});
    ASSERT_EQ(run.status, 0) << run.err;

    char decoder[160];
    std::snprintf(decoder, sizeof decoder,
                  "spi:clk=SCLK:mosi=SDA:miso=DC:cs=CS:cpol=%d:cpha=%d:bitorder=%s:"
                  "cs_polarity=active-low",
                  c.cpol, c.cpha, c.bitorder);
    const auto decode = [&](const char* annotation) {
      const std::string command = "sigrok-cli -I vcd -i " + Quoted(trace) + " -P " + decoder +
                                  " -A spi=" + annotation + " 2>" +
                                  Quoted(folder.File("sigrok.err"));
      const ShellResult result = RunShell(command);
      EXPECT_EQ(result.status, 0) << command << '\n' << folder.Read("sigrok.err");
      return result.output;
    };
    EXPECT_EQ(decode("mosi-data"), Annotations(allBytes));
    EXPECT_EQ(decode("miso-data"), Annotations(dcLevels));
    // One chip-select frame per byte, holding that byte alone.
    EXPECT_EQ(decode("mosi-transfer"), Annotations(allBytes));
  }
}

// One chip-select frame as sigrok-cli prints it with sample numbers: from the
// sample CS fell to the one it rose (one sample per microsecond), and its byte.
struct Frame {
  std::uint64_t from;
  std::uint64_t to;
  unsigned byte;
};

std::vector<Frame> Frames(const std::string& output) {
  std::vector<Frame> frames;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    unsigned long long from = 0, to = 0;
    unsigned byte = 0;
    if (std::sscanf(line.c_str(), "%llu-%llu spi-1: %X", &from, &to, &byte) == 3) {
      frames.push_back({from, to, byte});
    }
  }
  return frames;
}

// Under --virtual-time a picture's writes come at one instant; the dump spreads
// their edges a microsecond apart, and the wait after the picture still shows
// at its full length, in the dump as in the write list.
TEST(SigrokDecode, TheWaitAfterAPictureKeepsItsLengthInBothTraces) {
  ASSERT_EQ(RunShell("command -v sigrok-cli >/dev/null 2>&1").status, 0);
  testing::TempFolder folder;
  const auto send = [&](const std::string& trace) {
    const testing::SendRun run = testing::SendRig().Send(
        {"--port", "sim", "--folder", QUORVANE_DATA_DIR, "--trace", trace, "--virtual-time",
         "--image", QUORVANE_DATA_DIR "/images/lcd_0.bmp", "--init", "#5, 13"});
    EXPECT_EQ(run.status, 0) << run.err;
  };

  const std::string csv = folder.File("t.csv");
  send(csv);
  const std::vector<testing::TraceRow> rows = testing::ReadCsvTrace(folder.Read("t.csv"));
  ASSERT_EQ(rows.size(), 504u * 18 + 18);
  // The last write of the picture, then byte 13's first write 5 ms later.
  EXPECT_EQ(rows[504 * 18].time - rows[504 * 18 - 1].time, 5000u);

  const std::string vcd = folder.File("t.vcd");
  send(vcd);
  const std::string command =
      "sigrok-cli -I vcd -i " + Quoted(vcd) +
      " -P spi:clk=SCLK:mosi=SDA:cs=CS:cpol=1:cpha=1:bitorder=msb-first:cs_polarity=active-low"
      " -A spi=mosi-transfer --protocol-decoder-samplenum 2>" +
      Quoted(folder.File("sigrok.err"));
  const ShellResult decoded = RunShell(command);
  ASSERT_EQ(decoded.status, 0) << command << '\n' << folder.Read("sigrok.err");
  const std::vector<Frame> frames = Frames(decoded.output);
  ASSERT_EQ(frames.size(), 505u) << decoded.output.substr(0, 400);
  EXPECT_EQ(frames.back().byte, 13u);
  const Frame& lastOfPicture = frames[frames.size() - 2];
  EXPECT_GE(frames.back().from - lastOfPicture.to, 5000u)
      << "the picture's frames end at " << lastOfPicture.to << ", byte 13's begins at "
      << frames.back().from;
}

}  // namespace
}  // namespace quorvane::cli
