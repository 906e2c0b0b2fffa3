// quorvane-send against bad input of every kind: broken event files, numbers
// out of range, huge and garbage value lists, broken and huge pictures, and
// folders that cannot be read or written. Each gets its clear message or its
// documented fallback; nothing crashes and nothing hangs.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "FakePpdevSystem.h"
#include "RecordingSleeper.h"
#include "SendRun.h"
#include "TempFolder.h"
#include "cli/SendCommand.h"
#include "platform/ports/PortFactory.h"

namespace quorvane::cli {
namespace {

using testing::SendRun;

class BadInputSendTest : public ::testing::Test {
 protected:
  BadInputSendTest() {
    for (const char* name : {"0.evnt", "1.evnt", "2.evnt"}) {
      std::filesystem::copy_file(std::filesystem::path(QUORVANE_DATA_DIR) / name,
                                 folder.Path() / name);
    }
  }

  SendRun Send(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", "sim", "--folder", folder.Path().string()});
    const platform::PortSystems systems{ppdev, nullptr};
    const SendEnvironment environment{folder.Folder(), nullptr, &systems, &sleeper};
    return testing::RunSendCaptured(args, environment);
  }

  testing::TempFolder folder;
  testing::FakePpdevSystem ppdev;
  testing::RecordingSleeper sleeper;
};

TEST_F(BadInputSendTest, BrokenEventFilesRunWhatTheyCanAndReportTheRest) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  std::string manyLines = "Ten thousand steps\r\n";
  for (int i = 0; i < 10000; ++i) manyLines += "SB, " + std::to_string(i % 32) + "\r\n";
  struct Case {
    const char* name;
    std::string content;
    int status;
    std::size_t maxWrites;
  };
  const Case cases[] = {
      {"empty", "", 1, 0},         // reported as unreadable
      {"junk", junk, 0, 20 * 16},  // unknown kinds skipped
      {"nul", std::string("Nul\0bytes\r\nSB,\0 5\r\nSB, 7\r\n", 26), 0, 2},
      {"long", "Long\r\nSB, " + std::string(100000, '1') + "\r\nSB, 3\r\n", 1, 1},
      {"huge", "Huge\r\n" + std::string(10 * 1024 * 1024, 'x') + "\r\nSB, 4\r\n", 0, 1},
      {"many", manyLines, 0, 20},  // the first 20 steps run
      {"numbers", "N\r\nSB, 1e999\r\nSB, &HFFFFFFFFFF\r\nSB, -0\r\nSB, --5\r\nDL, 1e999\r\n", 1, 2},
  };
  for (const Case& c : cases) {
    folder.Write(std::string(c.name) + ".evnt", c.content);
    const SendRun run = Send({"--event", c.name});
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    const std::string action = "event " + std::string(c.name) + ": ";
    const auto at = run.out.find(action);
    ASSERT_NE(at, std::string::npos) << c.name << ": " << run.out;
    const std::size_t writes = std::stoul(run.out.substr(at + action.size()));
    EXPECT_LE(writes, c.maxWrites) << c.name;
    const std::string counted =
        writes == 1 ? "1 port write," : std::to_string(writes) + " port writes,";
    EXPECT_NE(run.out.find(action + counted), std::string::npos) << run.out;
  }
  // A 100,000-digit number is out of every range: reported, not crashed on.
  EXPECT_NE(Send({"--event", "long"}).err.find("skipped: the value is not a byte"),
            std::string::npos);
  EXPECT_NE(Send({"--event", "numbers"}).err.find("'SB, &HFFFFFFFFFF' skipped"), std::string::npos);
}

TEST_F(BadInputSendTest, HugeAndGarbageValueLists) {
  std::string list;
  for (int i = 0; i < 100000; ++i) list += std::to_string(i % 256) + ",";
  const SendRun huge = Send({"--virtual-time", "--data", list});
  EXPECT_EQ(huge.status, 0) << huge.err;
  EXPECT_NE(huge.out.find("100000 bytes, 1800000 port writes"), std::string::npos) << huge.out;

  struct Case {
    std::string list;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {list + "#1e12", 2, "item 100001, '#1e12': not a delay"},
      {"#1e12", 2, "not a delay"},
      {"1e999", 2, "not a byte (0 to 255)"},
      {"&HFFFFFFFFFF", 2, "not a byte (0 to 255)"},
      {"-0, --5, abc, \x01\x02", 0, ""},
      {"#-5", 1, "a negative delay waits 0 ms"},
      {std::string(200000, ','), 0, ""},
  };
  for (const Case& c : cases) {
    const SendRun run = Send({"--command", c.list});
    EXPECT_EQ(run.status, c.status) << c.list.substr(0, 40);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

TEST_F(BadInputSendTest, BrokenAndHugePicturesAreRefused) {
  std::string bitmap = "BM";
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bitmap += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  const auto header = [&](std::uint32_t width, std::uint32_t height) {
    bitmap = "BM";
    put(54, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4), put(height, 4), put(1, 2);
    put(24, 2), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    return bitmap;
  };
  struct Case {
    const char* name;
    std::string content;
    const char* reason;
  };
  const Case cases[] = {
      {"truncated.bmp", header(84, 48) + std::string(100, '\xff'), "damaged"},
      {"zero.bmp", header(0, 0), "cannot be loaded"},
      {"thin.bmp", header(1, 100000), "too large"},
      {"bomb.bmp", header(60000, 60000), "too large"},
      {"junk.jpg", std::string("\xFF\xD8\xFF\xE0junkjunk", 12), "cannot be loaded"},
      {"text.bmp", "not a picture at all", "cannot be loaded"},
  };
  for (const Case& c : cases) {
    folder.Write(c.name, c.content);
    const SendRun run = Send({"--image", folder.File(c.name)});
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
    EXPECT_NE(run.out.find("picture " + folder.File(c.name) + ": 0 port writes"), std::string::npos)
        << c.name << ": " << run.out;
  }
}

TEST_F(BadInputSendTest, MissingUnreadableAndUnwritableFolders) {
  const SendRun missing =
      Send({"--folder", folder.File("no-such-folder"), "--reset", "--command", "1"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("0.evnt could not be read"), std::string::npos);
  EXPECT_NE(missing.err.find("1.evnt could not be read"), std::string::npos);

  const SendRun trace = Send({"--trace", folder.File("no-such-folder/t.csv"), "--reset"});
  EXPECT_EQ(trace.status, 1);
  EXPECT_NE(trace.err.find("cannot write the trace file"), std::string::npos);
  EXPECT_EQ(trace.out, "");

  // A folder in place of an event file is no event.
  std::filesystem::create_directory(folder.Path() / "dir.evnt");
  EXPECT_EQ(Send({"--event", "dir"}).status, 1);
}

TEST_F(BadInputSendTest, NamedPipesAndFoldersNamedLikeFilesNeverBlock) {
  alarm(20);  // a blocking open ends the test process instead of hanging it
  std::filesystem::remove(folder.Path() / "1.evnt");
  ASSERT_EQ(mkfifo(folder.File("1.evnt").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.File("pipe.evnt").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.File("pipe.bmp").c_str(), 0600), 0);
  std::filesystem::create_directory(folder.Path() / "dir.evnt");
  std::filesystem::create_directory(folder.Path() / "images");
  ASSERT_EQ(mkfifo(folder.File("images/lcd_0.bmp").c_str(), 0600), 0);

  const SendRun command = Send({"--command", "1", "--data", "2"});
  EXPECT_EQ(command.status, 1);
  EXPECT_NE(command.err.find("the standard event 1.evnt could not be read from " + folder.Folder() +
                             ": it is a named pipe, not an event file; its bytes are not sent"),
            std::string::npos)
      << command.err;
  EXPECT_NE(command.out.find("command list \"1\": 1 byte, 0 port writes"), std::string::npos);
  EXPECT_NE(command.out.find("data list \"2\": 1 byte, 18 port writes"), std::string::npos);

  const SendRun event = Send({"--event", "pipe", "--event", "dir"});
  EXPECT_EQ(event.status, 1);
  EXPECT_NE(event.err.find("the event 'pipe' could not be read from " + folder.File("pipe.evnt") +
                           ": it is a named pipe, not an event file\n"),
            std::string::npos)
      << event.err;
  EXPECT_NE(event.err.find(folder.File("dir.evnt") + ": it is a folder, not an event file\n"),
            std::string::npos);

  const SendRun picture = Send({"--image", folder.File("pipe.bmp"), "--series"});
  EXPECT_EQ(picture.status, 1);
  EXPECT_NE(picture.err.find("pipe.bmp cannot be loaded: it is not a file"), std::string::npos)
      << picture.err;
  EXPECT_NE(picture.out.find("picture series: 0 pictures"), std::string::npos);
  alarm(0);
}

}  // namespace
}  // namespace quorvane::cli
