#include "platform/folders/UserFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kShipped = {"0.evnt", "1.evnt", "2.evnt", "images/lcd_0.bmp",
                                           "images/lcd_1.bmp"};

// Every file in the folder, relative, sorted.
std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      names.push_back(fs::relative(entry.path(), folder).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// An installed data folder with the shipped files (a large picture, so that a
// copy takes a moment) and a home folder for the user's data folder.
class UserFolder : public ::testing::Test {
 protected:
  UserFolder() {
    fs::create_directories(root.Path() / "share" / "images");
    fs::create_directories(root.Path() / "home");
    root.Write("share/0.evnt", "Reset\r\nSB, 9\r\nDL, 10\r\nSB, 25\r\n");
    root.Write("share/1.evnt", "Command\r\nSB, 25\r\nTX, 16,SL,DH,\r\nSB, 25\r\n");
    root.Write("share/2.evnt", "Data\r\nSB, 25\r\nTX, 20,SL,DH,\r\nSB, 25\r\n");
    root.Write("share/images/lcd_0.bmp", std::string(4 << 20, 'B'));
    root.Write("share/images/lcd_1.bmp", "BM small");
    root.Write("share/README", "not shipped to the user folder");
  }
  std::string Data() const { return root.FolderIn("share"); }
  std::string User() const { return root.FolderIn("home/quorvane"); }
  FolderChoice Installed() const { return {FolderLayout::Installed, User(), Data()}; }
  std::string Shipped(const std::string& name) const { return root.Read("share/" + name); }
  std::string Users(const std::string& name) const { return root.Read("home/quorvane/" + name); }

  testing::TempFolder root;
};

TEST_F(UserFolder, FirstUseCreatesAndFillsItAndLaterUsesKeepTheUsersFiles) {
  const PreparedFolder first = PrepareProgramFolder(Installed());
  EXPECT_EQ(first.folder, User());
  EXPECT_EQ(first.notice, "");
  EXPECT_EQ(Listing(User()), kShipped);
  for (const std::string& name : kShipped) EXPECT_EQ(Users(name), Shipped(name)) << name;

  // The user changes a standard event, adds one, deletes another.
  root.Write("home/quorvane/1.evnt", "My command\r\nSB, 1\r\n");
  root.Write("home/quorvane/probe.evnt", "Probe\r\n");
  fs::remove(root.File("home/quorvane/2.evnt"));
  const PreparedFolder again = PrepareProgramFolder(Installed());
  EXPECT_EQ(again.notice, "");
  EXPECT_EQ(Users("1.evnt"), "My command\r\nSB, 1\r\n");
  EXPECT_EQ(Users("probe.evnt"), "Probe\r\n");
  EXPECT_EQ(Users("2.evnt"), Shipped("2.evnt")) << "a shipped file that is missing comes back";
  EXPECT_EQ(Listing(User()).size(), kShipped.size() + 1) << "no temporary file is left";
}

TEST_F(UserFolder, OtherLayoutsAreUsedAsTheyAre) {
  for (const FolderLayout layout :
       {FolderLayout::FolderOption, FolderLayout::FolderVariable, FolderLayout::Portable}) {
    const PreparedFolder prepared = PrepareProgramFolder({layout, User(), Data()});
    EXPECT_EQ(prepared.folder, User());
    EXPECT_EQ(prepared.notice, "");
  }
  EXPECT_FALSE(fs::exists(User())) << "only the user's data folder is created";
}

TEST_F(UserFolder, AFileInItsPlaceIsReportedAndKept) {
  root.Write("home/quorvane", "the user's own file");
  const PreparedFolder prepared = PrepareProgramFolder(Installed());
  EXPECT_EQ(prepared.folder, Data());
  EXPECT_EQ(prepared.notice, "The user folder " + User() +
                                 " is not a folder; the program goes on with the installed data "
                                 "folder " +
                                 Data() + ", read-only.");
  EXPECT_EQ(root.Read("home/quorvane"), "the user's own file");

  fs::remove_all(root.Path() / "share");
  const PreparedFolder nothing = PrepareProgramFolder(Installed());
  EXPECT_EQ(nothing.folder, User());
  EXPECT_EQ(nothing.notice, "The user folder " + User() + " is not a folder, and the installed " +
                                "data folder " + Data() + " is missing.");
  EXPECT_EQ(root.Read("home/quorvane"), "the user's own file");
}

TEST_F(UserFolder, AFolderThatCannotBeCreatedIsReported) {
#ifdef __linux__
  // Nobody, root included, creates a folder in /proc.
  const PreparedFolder prepared =
      PrepareProgramFolder({FolderLayout::Installed, "/proc/quorvane/", Data()});
  EXPECT_EQ(prepared.folder, Data());
  EXPECT_EQ(prepared.notice.rfind("The user folder /proc/quorvane/ cannot be created (", 0), 0u)
      << prepared.notice;
  EXPECT_NE(
      prepared.notice.find("goes on with the installed data folder " + Data() + ", read-only."),
      std::string::npos);
#else
  GTEST_SKIP() << "needs /proc";
#endif
}

TEST_F(UserFolder, AFillThatFailsHalfwayLeavesNoHalfFileAndTheUsersFileStands) {
  // "images" is the user's file, so the picture series cannot be copied.
  fs::create_directories(User());
  root.Write("home/quorvane/images", "mine");
  const PreparedFolder prepared = PrepareProgramFolder(Installed());
  EXPECT_EQ(prepared.folder, Data());
  EXPECT_EQ(prepared.notice.rfind("The user folder " + User() + " cannot be filled (images/", 0),
            0u)
      << prepared.notice;
  EXPECT_EQ(root.Read("home/quorvane/images"), "mine");
  EXPECT_EQ(Listing(User()), (std::vector<std::string>{"0.evnt", "1.evnt", "2.evnt", "images"}));
  for (const std::string name : {"0.evnt", "1.evnt", "2.evnt"})
    EXPECT_EQ(Users(name), Shipped(name));
}

TEST_F(UserFolder, AMissingDataFolderIsReportedAndTheUserFolderServes) {
  fs::create_directories(User());
  root.Write("home/quorvane/0.evnt", "My reset\r\n");
  fs::remove_all(root.Path() / "share");
  const PreparedFolder prepared = PrepareProgramFolder(Installed());
  EXPECT_EQ(prepared.folder, User());
  EXPECT_EQ(prepared.notice, "The installed data folder " + Data() +
                                 " is missing, so the user folder " + User() +
                                 " was not given the standard events and pictures.");
  EXPECT_EQ(Users("0.evnt"), "My reset\r\n");
}

TEST_F(UserFolder, NoHomeMeansTheInstalledDataFolder) {
  const PreparedFolder prepared = PrepareProgramFolder({FolderLayout::Installed, "", Data()});
  EXPECT_EQ(prepared.folder, Data());
  EXPECT_EQ(prepared.notice.rfind("No user's data folder is known", 0), 0u) << prepared.notice;
}

TEST_F(UserFolder, AReadOnlyUserFolderIsReported) {
#ifndef _WIN32
  if (geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
#else
  GTEST_SKIP() << "Windows creates files in a folder marked read-only";
#endif
  // Whole but read-only: the user's events stay in use; saving will fail.
  ASSERT_EQ(PrepareProgramFolder(Installed()).notice, "");
  fs::permissions(User(), fs::perms::owner_write, fs::perm_options::remove);
  const PreparedFolder whole = PrepareProgramFolder(Installed());
  EXPECT_EQ(whole.folder, User());
  EXPECT_EQ(whole.notice,
            "The user folder " + User() + " is not writable: events cannot be saved there.");
  // Lacking a file and read-only: it cannot be filled.
  fs::permissions(User(), fs::perms::owner_write, fs::perm_options::add);
  fs::remove(root.File("home/quorvane/0.evnt"));
  fs::permissions(User(), fs::perms::owner_write, fs::perm_options::remove);
  const PreparedFolder lacking = PrepareProgramFolder(Installed());
  fs::permissions(User(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(lacking.folder, Data());
  EXPECT_EQ(lacking.notice.rfind("The user folder " + User() + " cannot be filled (0.evnt: ", 0),
            0u)
      << lacking.notice;
}

// Programs starting at once on first use (the desktop program and
// quorvane-send): each ends up with the whole folder, and no program ever sees
// a shipped file with only part of its bytes.
TEST_F(UserFolder, ProgramsStartingAtOnceLeaveItWhole) {
#ifdef _WIN32
  // The watcher's reads keep the files open, and Windows removes no name of
  // an open file: temporary copies would stay. The layout is a Linux one.
  GTEST_SKIP() << "Windows refuses to remove a file that another thread has open";
#endif
  for (int round = 0; round < 5; ++round) {
    fs::remove_all(root.Path() / "home" / "quorvane");
    std::atomic<bool> filling{true};
    std::atomic<int> partial{0};
    std::thread watcher([&] {
      while (filling) {
        for (const std::string& name : kShipped) {
          std::error_code error;
          if (fs::exists(root.File("home/quorvane/" + name), error) &&
              Users(name).size() != Shipped(name).size()) {
            ++partial;
          }
        }
      }
    });
    std::vector<PreparedFolder> results(4);
    std::vector<std::thread> programs;
    for (PreparedFolder& result : results) {
      programs.emplace_back([&] { result = PrepareProgramFolder(Installed()); });
    }
    for (std::thread& program : programs) program.join();
    filling = false;
    watcher.join();

    EXPECT_EQ(partial, 0) << "round " << round;
    for (const PreparedFolder& result : results) {
      EXPECT_EQ(result.folder, User());
      EXPECT_EQ(result.notice, "");
    }
    EXPECT_EQ(Listing(User()), kShipped) << "round " << round;
    for (const std::string& name : kShipped) EXPECT_EQ(Users(name), Shipped(name));
  }
}

}  // namespace
}  // namespace quorvane::platform
