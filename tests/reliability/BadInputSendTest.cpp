// quorvane-send against bad input of every kind: broken event files, numbers
// out of range, huge and garbage value lists, broken and huge pictures, and
// folders that cannot be read or written. Each gets its clear message or its
// documented fallback; nothing crashes and nothing hangs.

#include <gtest/gtest.h>

#include <filesystem>

#include "SendRun.h"
#include "StandardEvents.h"
#include "TestPictures.h"

namespace quorvane::cli {
namespace {

using testing::SendRun;

class BadInputSendTest : public ::testing::Test, protected testing::SendRig {
 protected:
  BadInputSendTest() {
    testing::CopyStandardEvents(folder);
    executableFolder = folder.Folder();
  }

  SendRun Send(std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", "sim", "--folder", folder.Path().string()});
    return SendRig::Send(args);
  }
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
    const char* report;  // a part of what standard error says
  };
  const Case cases[] = {
      {"empty", "", 1, 0, "could not be read"},
      {"junk", junk, 1, 20 * 16, "skipped: unknown step kind"},
      {"nulbytes", std::string("Nul\0bytes\r\nSB,\0 5\r\nSB, 7\r\n", 26), 1, 1,
       "skipped: the value is not a number (write hex as 0x21 or &H21)"},
      {"long", "Long\r\nSB, " + std::string(100000, '1') + "\r\nSB, 3\r\n", 1, 1,
       "skipped: the value is not a byte"},
      {"huge", "Huge\r\n" + std::string(10 * 1024 * 1024, 'x') + "\r\nSB, 4\r\n", 1, 1,
       "skipped: unknown step kind"},
      {"many", manyLines, 1, 20,  // the first 20 steps run
       "the event has 10000 step lines: the 9980 after the 20th are not run"},
      {"numbers", "N\r\nSB, 1e999\r\nSB, &HFFFFFFFFFF\r\nSB, -0\r\nSB, --5\r\nDL, 1e999\r\n", 1, 1,
       "'SB, --5' skipped: the value is not a number"},
  };
  for (const Case& c : cases) {
    folder.Write(std::string(c.name) + ".evnt", c.content);
    const SendRun run = Send({"--event", c.name});
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.report), std::string::npos) << c.name << ": " << run.err;
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
      {"-0, --5, abc, \x01\x02", 2, "item 2, '--5': not a number (write hex as 0x21 or &H21)"},
      {"\x01\x02", 2, "item 1, '\x01\x02': not a number"},
      {"0x21, 0xC8, 0x04", 0, ""},
      {"0x21, 21h", 2, "refused: item 2, '21h': not a number"},
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
  using testing::BitmapHeader;
  struct Case {
    const char* name;
    std::string content;
    const char* reason;
  };
  const Case cases[] = {
      {"truncated.bmp", BitmapHeader(84, 48) + std::string(100, '\xff'), "damaged"},
      {"zero.bmp", BitmapHeader(0, 0), "cannot be loaded"},
      {"thin.bmp", BitmapHeader(1, 100000), "too large"},
      {"bomb.bmp", BitmapHeader(60000, 60000), "too large"},
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


}  // namespace
}  // namespace quorvane::cli
