#include "core/atomic_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "core/errors.h"
#include "core/temp_file_cleanup.h"

namespace skelda {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP

// The file a chain of symbolic links ends at (it need not exist yet); any other name is its
// own end.
std::string FollowLinks(const std::string& path) {
  std::filesystem::path current = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current.string();
    std::vector<char> link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4095) + 1);
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n <= 0) return current.string();
    current = current.parent_path() / std::filesystem::path(std::string(link.data(), n));
  }
  throw CreateFileError(path, ELOOP);
}

std::string RandomSuffix() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[6] = {};
  if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != sizeof bytes) {
    static unsigned counter = 0;
    const unsigned mix = static_cast<unsigned>(::getpid()) * 2654435761u + ++counter * 40503u;
    for (int i = 0; i < 6; ++i) bytes[i] = static_cast<unsigned char>(mix >> (i * 5));
  }
  std::string suffix;
  for (const unsigned char b : bytes) suffix += kLetters[b % (sizeof kLetters - 1)];
  return suffix;
}

// An existing target must be a file the user may write: a folder cannot be replaced by a file,
// and a read-only file is not overridden, not even by root, who may write any file but would
// not expect to lose one marked read-only. False when there is no target yet.
bool CheckReplaceable(const std::string& target, const std::string& shown, struct stat& info) {
  if (::stat(target.c_str(), &info) != 0) return false;
  if (S_ISDIR(info.st_mode)) throw CreateFileError(shown, EISDIR);
  if (!S_ISREG(info.st_mode)) return true;
  if (::access(target.c_str(), W_OK) != 0) throw CreateFileError(shown, errno);
  if ((info.st_mode & 0222) == 0) throw CreateFileError(shown, EACCES);
  return true;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  if (path_.empty()) throw CreateFileError(path_, ENOENT);
  struct stat info {};
  // A special file is opened by its own name: the links to it (/dev/stdout) may name no path.
  if (::stat(path_.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    direct_ = true;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) throw CreateFileError(path_, errno);
    return;
  }
  target_ = FollowLinks(path_);
  if (!CheckReplaceable(target_, path_, info)) {
    CreateTemporary(0666);  // the kernel applies the umask
    return;
  }
  CreateTemporary(0600);
  // Keep the owner where the user may (root, or a group of one's own), then the mode.
  if (::fchown(fd_, info.st_uid, info.st_gid) != 0) (void)::fchown(fd_, -1, info.st_gid);
  ::fchmod(fd_, info.st_mode & 07777);
}

void AtomicFileWriter::CreateTemporary(int mode) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath_ = target_ + ".tmp-" + RandomSuffix();
    fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    tempPath_.clear();
    throw CreateFileError(path_, error);
  }
  cleanupSlot_ = RegisterTempFile(tempPath_.c_str());
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!committed_) Discard();
}

void AtomicFileWriter::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  UnregisterTempFile(cleanupSlot_);
  cleanupSlot_ = -1;
}

void WriteAll(int fd, const void* data, std::size_t size, const std::string& name) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw WriteFileError(name, errno);
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
}

void AtomicFileWriter::Write(const void* data, std::size_t size) {
  WriteAll(fd_, data, size, path_);
}

void AtomicFileWriter::Finish() {
  if (finished_) return;
  if (!direct_ && ::fsync(fd_) != 0 && errno != EINVAL) throw WriteFileError(path_, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw WriteFileError(path_, errno);
  struct stat info {};
  if (!direct_) CheckReplaceable(target_, path_, info);
  finished_ = true;
}

void AtomicFileWriter::Commit() {
  Finish();
  if (!direct_ && ::rename(tempPath_.c_str(), target_.c_str()) != 0) {
    throw CreateFileError(path_, errno);
  }
  UnregisterTempFile(cleanupSlot_);
  cleanupSlot_ = -1;
  committed_ = true;
}

void WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
  AtomicFileWriter writer(path);
  writer.Write(data, size);
  writer.Commit();
}

}  // namespace skelda
