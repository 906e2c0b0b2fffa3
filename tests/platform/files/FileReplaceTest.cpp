#include "platform/files/FileReplace.h"

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>

#include "TempFolder.h"

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Permission bits, owners, symbolic links and child processes of another
// user are the POSIX side of replacing a file; Windows runs the first test.
#ifndef _WIN32
// The user and group "nobody" of Debian: permissions bind them.
constexpr uid_t kUnprivilegedUser = 65534;
constexpr gid_t kUnprivilegedGroup = 65534;
// A child that could not give up the superuser's rights exits with this.
constexpr int kCannotDropPrivileges = 77;

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}
#endif

std::set<std::string> Names(const TempFolder& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.Path())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

#ifndef _WIN32
// What a child process did: the text it sent back, or why it could not run.
struct ChildResult {
  bool ran = false;
  std::string text;
  std::string whyNot;
};

// Runs the work in a child process as a user whom permissions bind: as is
// when the tests run as an ordinary user, as "nobody" when they run as the
// superuser. The child may limit its own file size without touching the
// test. The work's text comes back through a pipe.
ChildResult RunAsOrdinaryUser(const std::function<std::string()>& work) {
  int channel[2];
  if (::pipe(channel) != 0) return {false, {}, std::strerror(errno)};
  const pid_t child = ::fork();
  if (child < 0) return {false, {}, std::strerror(errno)};
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedGroup) != 0 ||
                             ::setuid(kUnprivilegedUser) != 0 || ::geteuid() == 0)) {
      ::_exit(kCannotDropPrivileges);
    }
    const std::string text = work();
    const bool sent =
        ::write(channel[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDropPrivileges) {
    return {false, {}, "this system does not let the test switch to an unprivileged user"};
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {false, {}, "the child failed"};
  return {true, text, {}};
}

// A folder that its files' user may not add files to, holding "edge.evnt"
// that this user may write (or not).
struct ReadOnlyFolder {
  explicit ReadOnlyFolder(bool fileWritable) {
    path = folder.Write("edge.evnt", "old\r\n");
    ::chmod(path.c_str(), fileWritable ? 0640 : 0440);
    if (::geteuid() == 0) {
      // The folder belongs to the superuser; the file to the child's user.
      EXPECT_EQ(::chown(path.c_str(), kUnprivilegedUser, kUnprivilegedGroup), 0);
      ::chmod(folder.Path().c_str(), 0755);
    } else {
      ::chmod(folder.Path().c_str(), 0555);
    }
  }
  ~ReadOnlyFolder() { ::chmod(folder.Path().c_str(), 0755); }

  TempFolder folder;
  std::string path;
};
#endif

std::string Outcome(const std::optional<WriteFailure>& failure) {
  if (!failure) return "written";
  return failure->reason + (failure->oldContentKept ? " (old kept)" : " (damaged)");
}

TEST(ReplaceFileContents, WritesANewFileAndReplacesAnOldOneWhole) {
  TempFolder folder;
  const std::string path = folder.File("new.evnt");
  ASSERT_EQ(Outcome(ReplaceFileContents(path, "first\r\n")), "written");
  EXPECT_EQ(folder.Read("new.evnt"), "first\r\n");
  ASSERT_EQ(Outcome(ReplaceFileContents(path, "2")), "written");
  EXPECT_EQ(folder.Read("new.evnt"), "2");
  EXPECT_EQ(Names(folder), std::set<std::string>{"new.evnt"}) << "no temporary file stays";
}

#ifndef _WIN32
TEST(ReplaceFileContents, KeepsThePermissionBits) {
  for (const mode_t mode : {0600, 0640, 0604, 0755, 0444}) {
    TempFolder folder;
    const std::string path = folder.Write("edge.evnt", "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_EQ(Outcome(ReplaceFileContents(path, "new\r\n")), "written");
    EXPECT_EQ(folder.Read("edge.evnt"), "new\r\n");
    EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
  }
}

TEST(ReplaceFileContents, WritesThroughASymbolicLinkToItsTarget) {
  TempFolder folder;
  const std::string edge = folder.Write("edge.evnt", "old\r\n");
  ::chmod(edge.c_str(), 0600);
  fs::create_directory(folder.Path() / "shared");
  fs::create_symlink("edge.evnt", folder.Path() / "link.evnt");
  fs::create_symlink("../link.evnt", folder.Path() / "shared" / "chain.evnt");

  ASSERT_EQ(Outcome(ReplaceFileContents(folder.File("link.evnt"), "one\r\n")), "written");
  EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.evnt"));
  EXPECT_EQ(fs::read_symlink(folder.Path() / "link.evnt"), "edge.evnt");
  EXPECT_EQ(folder.Read("edge.evnt"), "one\r\n");
  EXPECT_EQ(ModeOf(edge), 0600u);

  ASSERT_EQ(Outcome(ReplaceFileContents(folder.File("shared/chain.evnt"), "two\r\n")), "written");
  EXPECT_TRUE(fs::is_symlink(folder.Path() / "shared" / "chain.evnt"));
  EXPECT_EQ(folder.Read("edge.evnt"), "two\r\n");
  EXPECT_EQ(Names(folder), (std::set<std::string>{"edge.evnt", "link.evnt", "shared"}));

  // A link to a file not there yet creates that file; a loop is refused.
  fs::create_symlink("later.evnt", folder.Path() / "ahead.evnt");
  ASSERT_EQ(Outcome(ReplaceFileContents(folder.File("ahead.evnt"), "x")), "written");
  EXPECT_EQ(folder.Read("later.evnt"), "x");
  EXPECT_TRUE(fs::is_symlink(folder.Path() / "ahead.evnt"));
  fs::create_symlink("loop-b.evnt", folder.Path() / "loop-a.evnt");
  fs::create_symlink("loop-a.evnt", folder.Path() / "loop-b.evnt");
  EXPECT_EQ(Outcome(ReplaceFileContents(folder.File("loop-a.evnt"), "x")),
            std::string(std::strerror(ELOOP)) + " (old kept)");
}

TEST(ReplaceFileContents, WritesInPlaceWhereTheFolderRefusesNewFiles) {
  const ReadOnlyFolder setup(true);
  const ChildResult child = RunAsOrdinaryUser(
      [&] { return Outcome(ReplaceFileContents(setup.path, "new, longer than the old\r\n")); });
  if (!child.ran) GTEST_SKIP() << child.whyNot;
  EXPECT_EQ(child.text, "written");
  EXPECT_EQ(setup.folder.Read("edge.evnt"), "new, longer than the old\r\n");
  EXPECT_EQ(ModeOf(setup.path), 0640u);
  EXPECT_EQ(Names(setup.folder), std::set<std::string>{"edge.evnt"});

  const ChildResult shorter =
      RunAsOrdinaryUser([&] { return Outcome(ReplaceFileContents(setup.path, "n\r\n")); });
  ASSERT_TRUE(shorter.ran) << shorter.whyNot;
  EXPECT_EQ(shorter.text, "written");
  EXPECT_EQ(setup.folder.Read("edge.evnt"), "n\r\n") << "no tail of the old text stays";
}

TEST(ReplaceFileContents, AFileThatCannotBeWrittenAnywhereStaysWhole) {
  const ReadOnlyFolder setup(false);
  const ChildResult child =
      RunAsOrdinaryUser([&] { return Outcome(ReplaceFileContents(setup.path, "new\r\n")); });
  if (!child.ran) GTEST_SKIP() << child.whyNot;
  EXPECT_EQ(child.text, std::string(std::strerror(EACCES)) + " (old kept)");
  EXPECT_EQ(setup.folder.Read("edge.evnt"), "old\r\n");
  EXPECT_EQ(Names(setup.folder), std::set<std::string>{"edge.evnt"});
}

TEST(ReplaceFileContents, AnInPlaceWriteThatFailsPutsTheOldBytesBack) {
  const ReadOnlyFolder setup(true);
  // The child may write files of at most 64 bytes: the new text does not fit,
  // the old one does.
  const ChildResult child = RunAsOrdinaryUser([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return Outcome(ReplaceFileContents(setup.path, std::string(1000, 'n')));
  });
  if (!child.ran) GTEST_SKIP() << child.whyNot;
  EXPECT_EQ(child.text, std::string(std::strerror(EFBIG)) + " (old kept)");
  EXPECT_EQ(setup.folder.Read("edge.evnt"), "old\r\n");
}

TEST(ReplaceFileContents, AFailedWriteOfTheTemporaryFileLeavesTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Write("edge.evnt", "old\r\n");
  ::chmod(folder.Path().c_str(), 0777);  // the child may add files
  const ChildResult child = RunAsOrdinaryUser([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return Outcome(ReplaceFileContents(path, std::string(1000, 'n')));
  });
  if (!child.ran) GTEST_SKIP() << child.whyNot;
  EXPECT_EQ(child.text, std::string(std::strerror(EFBIG)) + " (old kept)");
  EXPECT_EQ(folder.Read("edge.evnt"), "old\r\n");
  EXPECT_EQ(Names(folder), std::set<std::string>{"edge.evnt"});
}
#endif  // !_WIN32

}  // namespace
}  // namespace quorvane::platform
