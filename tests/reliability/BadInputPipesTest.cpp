// quorvane-send meets named pipes and folders where event files and pictures
// should be: each is refused with what it is, and nothing waits on a pipe.
// POSIX only: Windows has no named pipes in a folder.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "SendRun.h"
#include "StandardEvents.h"

namespace quorvane::cli {
namespace {

using testing::SendRun;

TEST(BadInputSendPipes, NamedPipesAndFoldersNamedLikeFilesNeverBlock) {
  testing::SendRig rig;
  const testing::TempFolder& folder = rig.folder;
  testing::CopyStandardEvents(folder);
  rig.executableFolder = folder.Folder();
  const auto Send = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", "sim", "--folder", folder.Path().string()});
    return rig.Send(args);
  };
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
