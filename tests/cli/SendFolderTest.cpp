// quorvane-send in the two layouts: the program folder it chooses, the user's
// data folder it fills, and what it says about them.

#include <gtest/gtest.h>

#include <filesystem>

#include "SendRun.h"
#include "platform/files/FolderSeparator.h"
#include "platform/folders/ProgramFolderChoice.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

using testing::SendRun;

// An installed tree: prefix/bin without events, the shipped data in
// prefix/share/quorvane, an empty home.
class SendFolder : public ::testing::Test, protected testing::SendRig {
 protected:
  SendFolder() {
    fs::create_directories(folder.Path() / "prefix" / "bin");
    fs::create_directories(folder.Path() / "home");
    fs::create_directories(folder.Path() / "prefix" / "share");
    fs::copy(QUORVANE_DATA_DIR, folder.Path() / "prefix" / "share" / "quorvane",
             fs::copy_options::recursive);
    layout.executableFolder = folder.FolderIn("prefix/bin");
    layout.home = folder.File("home");
    executableFolder = layout.executableFolder;
    places = &layout;
  }
  std::string UserFolder() const { return folder.FolderIn("home/.local/share/quorvane"); }
  std::string DataFolder() const { return folder.FolderIn("prefix/share/quorvane"); }

  platform::FolderPlaces layout;
};

TEST_F(SendFolder, InstalledItFillsTheUserFolderAndFindsTheEventsThere) {
  const SendRun run = Send({"--port", "sim", "--virtual-time", "--reset", "--command", "33, 200"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "port: sim (simulated); program folder " + UserFolder() +
                         "\n"
                         "reset event: 3 port writes, waited 10 ms\n"
                         "command list \"33, 200\": 2 bytes, 36 port writes, waited 0 ms\n"
                         "done: 39 port writes\n");
  for (const char* name : {"0.evnt", "1.evnt", "2.evnt", "images/lcd_0.bmp", "images/lcd_3.bmp"}) {
    EXPECT_TRUE(fs::is_regular_file(UserFolder() + name)) << name;
  }
}

TEST_F(SendFolder, TheOptionBeatsTheVariableWhichBeatsTheLayout) {
  layout.folderVariable = folder.File("variable");
  const SendRun variable = Send({"--port", "sim", "--virtual-time", "--zero"});
  EXPECT_EQ(variable.out.substr(0, variable.out.find('\n')),
            "port: sim (simulated); program folder " + folder.FolderIn("variable"));
  const SendRun option = Send({"--port", "sim", "--folder", QUORVANE_DATA_DIR, "--reset"});
  EXPECT_EQ(option.out.substr(0, option.out.find('\n')),
            "port: sim (simulated); program folder " + std::string(QUORVANE_DATA_DIR) +
                platform::kFolderSeparator);
  EXPECT_EQ(option.status, 0) << option.err;
  EXPECT_FALSE(fs::exists(UserFolder())) << "a chosen folder leaves the user's data folder alone";
}

TEST_F(SendFolder, HelpSaysWhichFolderAndWhy) {
  const SendRun installed = Send({"--help"});
  EXPECT_EQ(installed.status, 0);
  EXPECT_NE(installed.out.find("Program folder (the event files and images/lcd_N.bmp): " +
                               UserFolder() + "\n  the user's data folder"),
            std::string::npos)
      << installed.out;
  EXPECT_FALSE(fs::exists(UserFolder())) << "--help creates nothing";
  const SendRun option = Send({"--help", "--folder", "/x"});
  EXPECT_NE(option.out.find(std::string(": /x") + platform::kFolderSeparator + "\n  given by --folder."),
            std::string::npos)
      << option.out;
}

TEST_F(SendFolder, AFileInPlaceOfTheUserFolderIsSaidOnceAndTheShippedEventsServe) {
  fs::create_directories(folder.Path() / "home" / ".local" / "share");
  folder.Write("home/.local/share/quorvane", "mine");
  const SendRun run = Send({"--port", "sim", "--virtual-time", "--reset"});
  EXPECT_EQ(run.status, 0) << "the actions ran, from the installed data folder";
  EXPECT_EQ(run.err, "quorvane-send: The user folder " + UserFolder() +
                         " is not a folder; the program goes on with the installed data folder " +
                         DataFolder() + ", read-only.\n");
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "port: sim (simulated); program folder " + DataFolder());
  EXPECT_NE(run.out.find("reset event: 3 port writes"), std::string::npos);
  EXPECT_EQ(folder.Read("home/.local/share/quorvane"), "mine");
}

TEST_F(SendFolder, WithoutPlacesTheExecutablesFolderServesAsBefore) {
  // A caller that hands in no places gets the portable behaviour whatever the
  // folder holds: the executable's folder, even without events.
  executableFolder = folder.File("prefix/bin");
  places = nullptr;
  const SendRun run = Send({"--port", "sim", "--zero"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "port: sim (simulated); program folder " + folder.FolderIn("prefix/bin"));
  EXPECT_FALSE(fs::exists(UserFolder()));
}

}  // namespace
}  // namespace quorvane::cli
