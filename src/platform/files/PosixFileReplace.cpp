#include "platform/files/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files/TemporaryName.h"

namespace quorvane::platform {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now; the error of close, 0 when it succeeded.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The file that a name stands for once symbolic links are followed; a link
// whose target does not exist yet names that target, which is then created.
std::optional<std::string> FollowLinks(std::string path, int& error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code linkError;
    fs::path target = fs::read_symlink(path, linkError);
    if (linkError) {
      error = linkError.value();
      return std::nullopt;
    }
    if (target.is_relative()) target = fs::path(path).parent_path() / target;
    path = target.string();
  }
  error = ELOOP;
  return std::nullopt;
}

// 0 when every byte was written from offset on, otherwise the error.
int WriteAll(int fd, std::string_view bytes, off_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

// Writes the bytes as the file's whole contents and flushes them to the disk.
int WriteWhole(int fd, std::string_view bytes) {
  if (const int error = WriteAll(fd, bytes, 0)) return error;
  if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
  return ::fsync(fd) == 0 ? 0 : errno;
}

std::optional<std::string> ReadAll(int fd) {
  std::string contents;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(contents.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) return contents;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

// The rename is kept across a power loss once the folder itself is synced;
// a folder that cannot be synced leaves the rename to the file system.
void SyncFolder(const std::string& path) {
  const std::string folder = fs::path(path).parent_path().string();
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) ::fsync(fd.Get());
}

// The normal way: a temporary file that takes the old file's place whole.
// Gives the error of creating the temporary file separately, because a folder
// that refuses new files may still hold a file that can be written in place.
std::optional<WriteFailure> ReplaceByRename(const std::string& target, std::string_view bytes,
                                            const struct stat* old, int& createError) {
  std::string temporary;
  int fdNumber = -1;
  for (int attempt = 0; attempt < 10 && fdNumber < 0; ++attempt) {
    temporary = TemporaryName(target);
    // Until it has the old file's bits, the copy is readable by its owner
    // only, so a private file is never readable through its copy.
    fdNumber = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      old != nullptr ? 0600 : 0666);
    if (fdNumber < 0 && errno != EEXIST) break;
  }
  if (fdNumber < 0) {
    createError = errno;
    return WriteFailure{std::strerror(errno)};
  }
  Descriptor fd(fdNumber);
  if (old != nullptr) {
    // Owner and group first, as changing them clears the set-id bits. Only
    // the superuser may give a file away; otherwise the saving user owns the
    // new file, and set-id bits are not handed to that user.
    const bool ownerKept = ::fchown(fd.Get(), old->st_uid, old->st_gid) == 0;
    ::fchmod(fd.Get(), old->st_mode & (ownerKept ? 07777 : 0777));
  }
  int error = WriteAll(fd.Get(), bytes, 0);
  if (error == 0 && ::fsync(fd.Get()) != 0) error = errno;
  if (const int closeError = fd.Close(); error == 0) error = closeError;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return WriteFailure{std::strerror(error)};
  }
  SyncFolder(target);
  return std::nullopt;
}

// For a file in a folder that refuses new files: the bytes go into the file
// itself. On failure the old bytes are written back where they could be read.
std::optional<WriteFailure> ReplaceInPlace(const std::string& target, std::string_view bytes,
                                           int refusal) {
  bool readable = true;
  int fdNumber = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
  if (fdNumber < 0 && errno == EACCES) {
    readable = false;
    fdNumber = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  }
  if (fdNumber < 0) return WriteFailure{std::strerror(refusal)};
  Descriptor fd(fdNumber);
  std::optional<std::string> old;
  if (readable) {
    old = ReadAll(fd.Get());
    if (!old) return WriteFailure{std::strerror(errno)};
  }
  int error = WriteWhole(fd.Get(), bytes);
  if (error == 0) {
    if (const int closeError = fd.Close(); closeError != 0) error = closeError;
  }
  if (error == 0) return std::nullopt;
  const bool restored = old && fd.Get() >= 0 && WriteWhole(fd.Get(), *old) == 0;
  return WriteFailure{std::strerror(error), restored};
}

}  // namespace

std::optional<WriteFailure> ReplaceFileContents(const std::string& path, std::string_view bytes) {
  int error = 0;
  const std::optional<std::string> target = FollowLinks(path, error);
  if (!target) return WriteFailure{std::strerror(error)};
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode);
  int createError = 0;
  auto failure = ReplaceByRename(*target, bytes, exists ? &old : nullptr, createError);
  const bool folderRefused = createError == EACCES || createError == EPERM || createError == EROFS;
  if (failure && exists && folderRefused) return ReplaceInPlace(*target, bytes, createError);
  return failure;
}

}  // namespace quorvane::platform
