#include "platform/folders/ProgramFolderChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempFolder.h"
#include "platform/files/TextPath.h"
#include "platform/folders/FolderHelp.h"
#include "platform/folders/ProgramPath.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
bool RunningAsRoot() {
  return geteuid() == 0;
}
#endif

// An installed tree (prefix/bin without events, prefix/share/quorvane) and a
// portable folder (the executable's folder holding "0.evnt").
class ProgramFolderChoice : public ::testing::Test {
 protected:
  ProgramFolderChoice() {
    fs::create_directories(root.Path() / "prefix" / "bin");
    fs::create_directories(root.Path() / "portable");
    root.Write("portable/0.evnt", "Reset\r\n");
  }
  std::string Installed() const { return root.FolderIn("prefix/bin"); }
  std::string Portable() const { return root.FolderIn("portable"); }

  testing::TempFolder root;
};

// The folders here are POSIX ones ("/home/u"), which have no drive and so
// are not absolute on Windows; WindowsFoldersEndInABackslash stands for them.
#ifndef _WIN32
TEST_F(ProgramFolderChoice, TheFirstThatAppliesWins) {
  const FolderPlaces all{Portable(), "/from/variable", "/data/home", "/home/u"};
  const FolderChoice option = ChooseProgramFolder("/from/option", all);
  EXPECT_EQ(option.layout, FolderLayout::FolderOption);
  EXPECT_EQ(option.folder, "/from/option/");

  const FolderChoice variable = ChooseProgramFolder(std::nullopt, all);
  EXPECT_EQ(variable.layout, FolderLayout::FolderVariable);
  EXPECT_EQ(variable.folder, "/from/variable/");

  // An empty QUORVANE_FOLDER counts as unset.
  const FolderChoice portable =
      ChooseProgramFolder(std::nullopt, {Portable(), "", "/data/home", "/home/u"});
  EXPECT_EQ(portable.layout, FolderLayout::Portable);
  EXPECT_EQ(portable.folder, Portable());
  EXPECT_EQ(portable.dataFolder, "");

  const FolderChoice installed =
      ChooseProgramFolder(std::nullopt, {Installed(), std::nullopt, "/data/home", "/home/u"});
  EXPECT_EQ(installed.layout, FolderLayout::Installed);
  EXPECT_EQ(installed.folder, "/data/home/quorvane/");
  EXPECT_EQ(installed.dataFolder, root.FolderIn("prefix/share/quorvane"));
}

TEST_F(ProgramFolderChoice, UserDataFolderFollowsTheXdgRules) {
  const auto folderFor = [&](std::optional<std::string> dataHome, std::optional<std::string> home) {
    return ChooseProgramFolder(std::nullopt, {Installed(), std::nullopt, dataHome, home}).folder;
  };
  EXPECT_EQ(folderFor("/x/data", "/home/u"), "/x/data/quorvane/");
  EXPECT_EQ(folderFor("/x/data/", "/home/u"), "/x/data/quorvane/");
  // Unset, empty or relative XDG_DATA_HOME: the default under HOME.
  EXPECT_EQ(folderFor(std::nullopt, "/home/u"), "/home/u/.local/share/quorvane/");
  EXPECT_EQ(folderFor("", "/home/u"), "/home/u/.local/share/quorvane/");
  EXPECT_EQ(folderFor("relative/data", "/home/u"), "/home/u/.local/share/quorvane/");
  // No home at all: no user folder; the installed data folder stays known.
  EXPECT_EQ(folderFor(std::nullopt, std::nullopt), "");
  EXPECT_EQ(folderFor("relative", ""), "");
}

TEST_F(ProgramFolderChoice, AFolderWithoutTheResetEventIsNoPortableFolder) {
  // The executable's folder of an installed program (/usr/bin) holds no
  // events; a portable folder that lost its "0.evnt" is treated the same.
  fs::remove(root.File("portable/0.evnt"));
  const FolderChoice choice =
      ChooseProgramFolder(std::nullopt, {Portable(), std::nullopt, std::nullopt, "/home/u"});
  EXPECT_EQ(choice.layout, FolderLayout::Installed);
  EXPECT_EQ(choice.dataFolder, root.FolderIn("share/quorvane"));
}

TEST_F(ProgramFolderChoice, AReadOnlyPortableFolderIsTheDataOfTheUserFolder) {
  if (RunningAsRoot()) GTEST_SKIP() << "root may write into any folder";
  fs::permissions(root.Path() / "portable", fs::perms::owner_write, fs::perm_options::remove);
  const FolderChoice choice =
      ChooseProgramFolder(std::nullopt, {Portable(), std::nullopt, std::nullopt, "/home/u"});
  fs::permissions(root.Path() / "portable", fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(choice.layout, FolderLayout::Installed);
  EXPECT_EQ(choice.folder, "/home/u/.local/share/quorvane/");
  EXPECT_EQ(choice.dataFolder, Portable());
}

#else
// Drive letters and both separators; the user's data folder of an installed
// program is under %APPDATA%, which ProcessFolderPlaces takes as its data home.
TEST_F(ProgramFolderChoice, WindowsFoldersEndInABackslash) {
  const std::string appData = "C:\\Users\\u\\AppData\\Roaming";
  const FolderPlaces all{Portable(), "D:/lcd", appData, "C:\\Users\\u"};
  EXPECT_EQ(ChooseProgramFolder("C:\\lcd", all).folder, "C:\\lcd\\");
  EXPECT_EQ(ChooseProgramFolder("C:\\lcd\\", all).folder, "C:\\lcd\\");
  EXPECT_EQ(ChooseProgramFolder("C:/lcd/", all).folder, "C:/lcd/");
  EXPECT_EQ(ChooseProgramFolder(std::nullopt, all).folder, "D:/lcd\\");

  const FolderChoice portable =
      ChooseProgramFolder(std::nullopt, {root.File("portable") + "\\", std::nullopt, appData, {}});
  EXPECT_EQ(portable.layout, FolderLayout::Portable);
  EXPECT_EQ(portable.folder, root.File("portable") + "\\");

  const FolderChoice installed =
      ChooseProgramFolder(std::nullopt, {Installed(), std::nullopt, appData, "C:\\Users\\u"});
  EXPECT_EQ(installed.layout, FolderLayout::Installed);
  EXPECT_EQ(installed.folder, appData + "\\quorvane\\");
  EXPECT_EQ(installed.dataFolder, root.File("prefix\\share\\quorvane") + "\\");
  EXPECT_EQ(
      ChooseProgramFolder(std::nullopt, {Installed(), std::nullopt, std::nullopt, "C:\\Users\\u"})
          .folder,
      "C:\\Users\\u\\.local\\share\\quorvane\\");
}
#endif

// The program folder of a portable layout is the running program's own folder,
// as the system names it: a drive, backslashes and a closing backslash on Windows.
TEST(ProgramPath, ExecutableFolderHoldsTheProgramAndEndsInTheSeparator) {
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
#ifdef _WIN32
  EXPECT_EQ(folder.back(), '\\') << folder;
  EXPECT_EQ(folder.find('/'), std::string::npos) << folder;
  EXPECT_EQ(folder[1], ':') << folder;
  const std::string program = folder + "test_program_folder.exe";
#else
  EXPECT_EQ(folder.back(), '/') << folder;
  const std::string program = folder + "test_program_folder";
#endif
  EXPECT_TRUE(fs::is_regular_file(PathFromText(program))) << program;
  EXPECT_EQ(ProcessFolderPlaces().executableFolder, folder);
}

TEST_F(ProgramFolderChoice, HelpSaysWhichFolderAndWhy) {
  const std::string option = FolderHelp({FolderLayout::FolderOption, "/x/", {}});
  EXPECT_NE(option.find("Program folder (the event files and images/lcd_N.bmp): /x/\n"
                        "  given by --folder."),
            std::string::npos)
      << option;
  EXPECT_NE(FolderHelp({FolderLayout::FolderVariable, "/x/", {}}).find("QUORVANE_FOLDER."),
            std::string::npos);
  EXPECT_NE(FolderHelp({FolderLayout::Portable, "/x/", {}}).find("(a portable layout)"),
            std::string::npos);
  const std::string installed = FolderHelp({FolderLayout::Installed, "/h/q/", "/usr/share/q/"});
  EXPECT_NE(installed.find(": /h/q/\n  the user's data folder"), std::string::npos) << installed;
  EXPECT_NE(installed.find("copied from\n  /usr/share/q/"), std::string::npos) << installed;
  const std::string homeless = FolderHelp({FolderLayout::Installed, "", "/usr/share/q/"});
  EXPECT_NE(homeless.find(": /usr/share/q/\n  the installed data folder, read-only"),
            std::string::npos)
      << homeless;
}

}  // namespace
}  // namespace quorvane::platform
